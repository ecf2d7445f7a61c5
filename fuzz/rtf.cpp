// The RTF reader (rich text from the clipboard, drops and rich edit
// streams): any bytes read without harm, and what was read, written out
// again, reads back to the same paragraphs.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "framework/controls/RtfDocument.h"

namespace {
using namespace velmor_internal;

// Gathers the paragraphs the reader gives, as the writer takes them.
class TParagraphSink : public TRtfSink {
public:
    std::vector<TRtfParagraph> Paragraphs{1};

    void Clear() override { Paragraphs.assign(1, TRtfParagraph{}); }
    void InsertText(const std::u16string& text, const TRtfCharFormat& format) override {
        if (text.empty()) return;
        std::vector<TRtfRun>& runs = Paragraphs.back().Runs;
        TRtfCharFormat f = format;
        if (f.Face.empty()) f.Face = "Arial";
        if (!runs.empty() && runs.back().Format == f)
            runs.back().Text += text;
        else
            runs.push_back({text, f});
    }
    void FormatParagraph(const TRtfParaFormat& format) override { Paragraphs.back().Format = format; }
    void NewParagraph(const TRtfCharFormat&) override { Paragraphs.emplace_back(); }
    void DropEmptyLastParagraph() override {
        if (Paragraphs.size() > 1 && Paragraphs.back().Runs.empty()) Paragraphs.pop_back();
    }
};

bool SameParagraphs(const std::vector<TRtfParagraph>& a, const std::vector<TRtfParagraph>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const TRtfParaFormat &fa = a[i].Format, &fb = b[i].Format;
        if (fa.Align != fb.Align || fa.Left != fb.Left || fa.Right != fb.Right || fa.First != fb.First) return false;
        if (a[i].Runs.size() != b[i].Runs.size()) return false;
        for (size_t k = 0; k < a[i].Runs.size(); ++k)
            if (a[i].Runs[k].Text != b[i].Runs[k].Text || !(a[i].Runs[k].Format == b[i].Runs[k].Format)) return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    TParagraphSink first;
    if (!ReadRtf(input, first)) return 0;
    const std::string written = WriteRtf(first.Paragraphs);
    TParagraphSink second;
    if (!ReadRtf(written, second) || !SameParagraphs(first.Paragraphs, second.Paragraphs)) {
        std::fprintf(stderr, "what was read, written, reads back otherwise:\n%s\n", written.c_str());
        std::abort();
    }
    return 0;
}
