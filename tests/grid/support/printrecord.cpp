#include "printrecord.h"

using namespace platform;

namespace grid_test {

const PrintedText* PrintedPage::Find(const std::string& text) const {
    for (const PrintedText& t : texts)
        if (t.text == text) return &t;
    return nullptr;
}

int PrintedPage::Count(const std::string& text) const {
    int n = 0;
    for (const PrintedText& t : texts)
        n += t.text == text ? 1 : 0;
    return n;
}

int PrintedJob::Count(const std::string& text) const {
    int n = 0;
    for (const PrintedPage& page : pages)
        n += page.Count(text);
    return n;
}

PrintedJob ReadPrintedJob(const DcCallLog& log) {
    PrintedJob job;
    bool onPage = false;
    for (const DcCall& call : log.Calls()) {
        switch (call.kind) {
        case DcCallKind::StartDoc:
            job.calls.push_back("StartDoc");
            job.docName = call.text;
            break;
        case DcCallKind::StartPage:
            job.calls.push_back("StartPage");
            job.pages.emplace_back();
            onPage = true;
            break;
        case DcCallKind::EndPage:
            job.calls.push_back("EndPage");
            onPage = false;
            break;
        case DcCallKind::EndDoc:
            job.calls.push_back("EndDoc");
            break;
        case DcCallKind::AbortDoc:
            job.calls.push_back("AbortDoc");
            break;
        case DcCallKind::DrawText:
            if (onPage) {
                Rect onPaper = call.rect;
                onPaper.OffsetRect(-call.windowOrg.x, -call.windowOrg.y);
                job.pages.back().texts.push_back({call.text, onPaper, call.flags});
            }
            break;
        case DcCallKind::LineTo:
            if (onPage) {
                const Point shift(-call.windowOrg.x, -call.windowOrg.y);
                job.pages.back().lines.push_back({call.from + shift, call.to + shift});
            }
            break;
        default:
            break;
        }
    }
    return job;
}

} // namespace grid_test
