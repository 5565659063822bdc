// The grid's texts as a separated text file: one line a row, each cell's text
// followed by the separator (the last by the line's end), no quoting and no
// escaping. Lines end with CR LF on disk; reading takes CR LF or LF, and lines
// of any length.
#include "gridctrl.h"

#include "dialogs/fileerror.h"
#include "dialogs/messagebox.h"
#include "base/trace.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace platform;

namespace {

constexpr char kSaveFailed[] = "Unable to save grid list";
constexpr char kLoadFailed[] = "Unable to load grid data";
constexpr unsigned kFailureBox = MB_OK | MB_ICONEXCLAMATION;
// The column headings' format.
constexpr UINT kHeadingFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr std::size_t kReadChunk = 64 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Appends text as a text-mode file holds it: every "\n" as CR LF.
void AppendTextMode(std::string& out, const std::string& text) {
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
}

// The lines of a file, whole whatever their length, without their CR LF or
// LF; a last line without a line end counts as well.
class LineReader {
  public:
    explicit LineReader(std::FILE* file) : m_file(file), m_buffer(kReadChunk) {}

    // The next line into *line; false at the end of the file or on a read
    // error (Failed tells), the line then being incomplete.
    bool Next(std::string* line) {
        line->clear();
        bool any = false;
        for (;;) {
            if (m_pos == m_len) {
                if (m_end) break;
                m_len = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
                m_pos = 0;
                if (m_len == 0) {
                    m_end = true;
                    m_failed = std::ferror(m_file) != 0;
                    break;
                }
                continue;
            }
            any = true;
            const char* start = m_buffer.data() + m_pos;
            const std::size_t left = m_len - m_pos;
            const auto* lineEnd = static_cast<const char*>(std::memchr(start, '\n', left));
            if (lineEnd) {
                const auto taken = static_cast<std::size_t>(lineEnd - start);
                line->append(start, taken);
                m_pos += taken + 1;
                DropCarriageReturn(line);
                return true;
            }
            line->append(start, left);
            m_pos = m_len;
        }
        if (m_failed) return false;
        DropCarriageReturn(line);
        return any;
    }
    bool Failed() const { return m_failed; }

  private:
    static void DropCarriageReturn(std::string* line) {
        if (!line->empty() && line->back() == '\r') line->pop_back();
    }

    std::FILE* m_file;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_len = 0;
    bool m_end = false;
    bool m_failed = false;
};

// The fields of a line: text up to each separator, and after the last one;
// an empty line is one empty field. A NUL ends its field's text.
std::vector<std::string> SplitFields(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        std::string field =
            line.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const std::size_t nul = field.find('\0');
        if (nul != std::string::npos) field.resize(nul);
        fields.push_back(std::move(field));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return fields;
}

} // namespace

BOOL CGridCtrl::SaveToFile(LPCTSTR szFileName, char chSeparator) {
    ASSERT(szFileName != nullptr);
    if (!szFileName) return FALSE;
    errno = 0;
    FilePtr file(std::fopen(szFileName, "wb"));
    if (!file) {
        ReportFileError(szFileName, errno);
        return FALSE;
    }

    // Virtual mode reads the texts through the owner's display requests.
    bool written = true;
    std::string line;
    for (int nRow = 0; written && nRow < m_nRows; ++nRow) {
        line.clear();
        for (int nCol = 0; nCol < m_nCols; ++nCol) {
            AppendTextMode(line, GetItemText(nRow, nCol));
            if (nCol + 1 < m_nCols)
                line += chSeparator;
            else
                line += "\r\n";
        }
        written = std::fwrite(line.data(), 1, line.size(), file.get()) == line.size();
    }
    // A full disk often shows only when the last bytes go out.
    if (written) written = std::fflush(file.get()) == 0;
    const bool closed = std::fclose(file.release()) == 0;
    if (!written || !closed) {
        MessageBox(QString::fromLatin1(kSaveFailed), QString(), kFailureBox);
        return FALSE;
    }
    return TRUE;
}

BOOL CGridCtrl::LoadFromFile(LPCTSTR szFileName, char chSeparator) {
    if (m_bVirtualMode) return FALSE;
    ASSERT(szFileName != nullptr);
    if (!szFileName) return FALSE;
    errno = 0;
    FilePtr file(std::fopen(szFileName, "rb"));
    if (!file) {
        ReportFileError(szFileName, errno);
        return FALSE;
    }

    DeleteAllItems();
    LineReader reader(file.get());
    std::string line;
    // The first line gives the columns, their headings in row 0.
    if (reader.Next(&line)) {
        for (const std::string& heading : SplitFields(line, chSeparator))
            if (InsertColumn(heading.c_str(), kHeadingFormat, -1) < 0) return FALSE;
    }
    // Every further line is a row; fields past the last column are dropped.
    while (reader.Next(&line)) {
        const std::vector<std::string> fields = SplitFields(line, chSeparator);
        const int nRow = InsertRow(fields.front().c_str(), -1);
        if (nRow < 0) return FALSE; // out of memory, reported by the grid
        const int nFields = static_cast<int>(std::min<std::size_t>(fields.size(), INT_MAX));
        for (int nCol = 1; nCol < nFields && nCol < m_nCols; ++nCol)
            SetItemText(nRow, nCol, fields[static_cast<std::size_t>(nCol)].c_str());
    }
    if (reader.Failed()) {
        MessageBox(QString::fromLatin1(kLoadFailed), QString(), kFailureBox);
        return FALSE;
    }

    AutoSizeColumns(m_nAutoSizeColumnStyle);
    return TRUE;
}
