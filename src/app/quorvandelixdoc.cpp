#include "quorvandelixdoc.h"

#include "slm.h"

CQuorvandelixDoc::CQuorvandelixDoc() {
    DB_DocumentInit();
    SetModifiedFlag(false);
}

CQuorvandelixDoc::~CQuorvandelixDoc() {
    DB_CloseImage();
}

void CQuorvandelixDoc::Serialize(bool) {}

int CQuorvandelixDoc::OnNewDocument() {
    return 1;
}

// The index banks, the load and region 0 in one step of the document road,
// which starts every load from empty tables and changes nothing on failure.
int CQuorvandelixDoc::OpenDatabase() {
    return DB_ReopenImage() == DBERR_OK ? 1 : 0;
}

// A list just read from its file is the one on disk.
int CQuorvandelixDoc::OpenDatabase(const uint8_t* image, std::size_t size) {
    if (DB_OpenImage(image, size) != DBERR_OK) return 0;
    SetModifiedFlag(false);
    return 1;
}

int CQuorvandelixDoc::SaveDatabase(uint8_t* out, std::size_t size) {
    return DB_SaveImage(out, size) == DBERR_OK ? 1 : 0;
}

void CQuorvandelixDoc::CloseDatabase() {
    DB_CloseImage();
    SetModifiedFlag(false);
}

bool CQuorvandelixDoc::IsModified() const {
    return m_bModified || DB_GetChangeCount() != m_savedChangeCount;
}

void CQuorvandelixDoc::SetModifiedFlag(bool modified) {
    m_bModified = modified;
    if (!modified) m_savedChangeCount = DB_GetChangeCount();
}
