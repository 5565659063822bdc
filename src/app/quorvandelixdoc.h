// The document: ties the life of the channel database to the life of the
// program's one document. It holds no data; the database lives in the
// library and its flash image.
#pragma once

#include <cstddef>
#include <cstdint>

class CQuorvandelixDoc {
  public:
    // Sets the flash map up (six service sectors), with no list open.
    CQuorvandelixDoc();
    // Clears the index tables and frees every list of the library.
    ~CQuorvandelixDoc();
    CQuorvandelixDoc(const CQuorvandelixDoc&) = delete;
    CQuorvandelixDoc& operator=(const CQuorvandelixDoc&) = delete;

    // Nothing is read or written in either direction.
    void Serialize(bool storing);
    // A new, empty document: nothing to do; 1.
    int OnNewDocument();

    // Checks and loads the flash image in memory as a database, from empty
    // tables, and selects region 0: 1. 0 when the image is no database; the
    // list that was open and the current region stay as they were.
    int OpenDatabase();
    // The bytes read from an image file (a shorter one is filled up with 0x00)
    // become the flash image, which is then checked and loaded as OpenDatabase
    // does: 1. 0 when they are no database; the list that was open (if any)
    // stays as it was.
    int OpenDatabase(const uint8_t* image, std::size_t size);
    // Commits the list into the flash image (all or nothing) and copies the
    // whole image into out, which holds size bytes: 1. 0 when the commit
    // fails or out is too small; the image and the list stay as they were.
    int SaveDatabase(uint8_t* out, std::size_t size);
    // Closes the list: index tables cleared, lists freed, image zeroed.
    // Cannot fail; with no list open it does the same.
    void CloseDatabase();

    // True when the database has changed since the list was opened, closed
    // or marked saved (every change that reaches it through the library).
    bool IsModified() const;
    // false: the list as it is now is the one on disk (after a save, an
    // open). true: it counts as changed until the next mark.
    void SetModifiedFlag(bool modified);

  private:
    uint32_t m_savedChangeCount = 0; // the library's change count when marked
    bool m_bModified = false;        // marked changed by hand
};
