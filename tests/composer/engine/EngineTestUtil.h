#pragma once
// Small helpers shared by the engine's tests; scratch folders and
// whole-file reading and writing (without the program's safe-write path)
// come from support/TempDir.h.
#include <libxml/parser.h>

#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "composer/engine/PageHead.h"
#include "composer/engine/TagComposer.h"
#include "composer/engine/TagWriter.h"
#include "framework/rtl/StrUtils.h"
#include "support/TempDir.h"

namespace enginetest {

// The head as the reader and writer see it after normalisation.
inline std::vector<std::string> NormalisedLines(const std::string& page) {
    TPageHead head;
    head.PagePath = "page.html";
    head.LoadFromText(page);
    head.SetUpMetaLines();
    return SplitLines(head.Text());
}

// Whether libxml2's XML parser, which shares nothing with the program,
// reads the text as well-formed XML.
inline bool WellFormedXml(const std::string& text) {
    xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                  XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NONET);
    xmlFreeDoc(doc);
    return doc != nullptr;
}

// Writes the fields' tags and title into one page, as a run over that page
// alone does.
inline ::testing::AssertionResult WritesFields(const std::string& path, const TMetaFields& fields,
                                               const TTagSettings& settings = TTagSettings()) {
    TTagWriter writer;
    writer.TagLineList = TTagComposer::ComposeTagLines(fields, settings, {}).TagLineList;
    writer.Title = fields.Title;
    writer.WriteTitle = true;
    if (writer.WriteTags(path)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not written: " << writer.LastFailure;
}

// A page as an HTML reader that shares nothing with the program sees it:
// Python's html.parser over the page decoded in `encoding` (a Python codec
// name, the page's real encoding). "title" maps to the first title's text,
// every META name (lower case) to the content of its first tag. Empty when
// the page does not decode in that encoding.
inline std::map<std::string, std::string> SeenByIndependentReader(const std::string& page,
                                                                  const std::string& encoding) {
    static const char* script = R"(import sys, html.parser
class Reader(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.seen, self.text = {}, None
    def handle_starttag(self, tag, attrs):
        a = {}
        for k, v in attrs: a.setdefault(k, v or '')
        if tag == 'title' and 'title' not in self.seen: self.text = ''
        name = (a.get('name') or a.get('http-equiv') or '').strip().lower()
        if tag == 'meta' and name and name not in self.seen: self.seen[name] = a.get('content', '').strip()
    def handle_data(self, data):
        if self.text is not None: self.text += data
    def handle_endtag(self, tag):
        if tag == 'title' and self.text is not None: self.seen['title'], self.text = self.text, None
reader = Reader()
reader.feed(open(sys.argv[1], 'rb').read().decode(sys.argv[2]))
reader.close()
for k, v in reader.seen.items():
    sys.stdout.buffer.write((k + '\t' + v.replace('\\', '\\\\').replace('\n', '\\n') + '\n').encode('utf-8'))
)";
    TTempDir dir;
    WriteAll(dir.File("reader.py"), script);
    WriteAll(dir.File("page.html"), page);
    // Debian's own interpreter when there is one: a version manager's shim
    // in the path costs seconds a call on a loaded machine.
    const std::string python = access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
    const std::string command =
        python + " -I -S '" + dir.File("reader.py") + "' '" + dir.File("page.html") + "' '" + encoding + "' 2>&1";
    std::map<std::string, std::string> seen;
    FILE* out = popen(command.c_str(), "r");
    if (!out) return seen;
    std::string text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, out)) > 0;) text.append(buffer, n);
    if (pclose(out) != 0) {
        ADD_FAILURE() << "the independent reader failed: " << text;
        return seen;
    }
    for (const std::string& line : SplitLines(text)) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        std::string value;
        for (size_t i = tab + 1; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                value += line[i + 1] == 'n' ? '\n' : line[i + 1];
                ++i;
            } else {
                value += line[i];
            }
        }
        seen[line.substr(0, tab)] = value;
    }
    return seen;
}

}  // namespace enginetest
