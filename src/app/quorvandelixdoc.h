// The document: ties the life of the channel database to the life of the
// program's one document. It holds no data; the database lives in the
// library and its flash image.
#pragma once

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
};
