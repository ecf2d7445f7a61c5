#include "composer/engine/PageSelection.h"

#include "framework/classes/StringList.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"

using namespace SelectionTexts;

bool TPageSelection::IsPageListFile(const String& name) {
    return SameText(ExtractFileExt(name), ".hfl");
}

std::vector<String> TPageSelection::PageListEntries(const String& listFile, const TStrings* lines) {
    std::vector<String> pages;
    if (!lines) return pages;
    const String folder = ExtractFilePath(NormalizePath(listFile));
    for (int i = 0; i < lines->Count(); ++i) {
        String line = Trim(lines->Strings(i));
        if (line.empty()) continue;
        line = NormalizePath(line);
        if (line[0] != '/' && !folder.empty()) line = PathJoin(folder, line);
        pages.push_back(line);
    }
    return pages;
}

TExpandedSelection TPageSelection::Expand(const std::vector<String>& names) {
    TExpandedSelection result;
    auto add = [&result](const String& page) {
        if (FileExists(page))
            result.Pages.push_back(page);
        else
            result.Missing.push_back(page);
    };
    for (const String& name : names) {
        if (!IsPageListFile(name)) {
            add(name);
            continue;
        }
        TStringList lines;
        lines.LoadFromFile(name);
        for (const String& page : PageListEntries(name, &lines)) add(page);
    }
    return result;
}

String TPageSelection::MissingPagesMessage(const std::vector<String>& missing) {
    if (missing.empty()) return String();
    String text = SMissingPages;
    for (const String& page : missing) text += "\r\n" + page;
    return text;
}

int TPageSelection::ListFiles(const String& folder, const String& extension, TStrings* target,
                              const TShowMessageEvent& onMessage) {
    if (!DirectoryExists(folder)) {
        if (onMessage) onMessage(SInvalidDirectory + folder, mkPlain);
        return 0;
    }
    int added = 0;
    for (const String& file : ListFilesByExt(folder, extension)) {
        const int keep = static_cast<int>(file.size()) - static_cast<int>(extension.size()) - 1;
        if (keep <= 0) continue;
        if (target) target->Add(file.substr(0, static_cast<size_t>(keep)));
        ++added;
    }
    return added;
}

String TPageSelection::StrReplaceAll(const String& text, const String& find,
                                     const String& replacement) {
    if (find.empty() || replacement.find(find) != String::npos) return text;
    String s = text;
    size_t from = 0;
    for (size_t pos = s.find(find, from); pos != String::npos; pos = s.find(find, from)) {
        s.replace(pos, find.size(), replacement);
        // A new occurrence can only reach back into the replacement's left
        // neighbourhood; everything before that was searched already.
        from = pos >= find.size() - 1 ? pos - (find.size() - 1) : 0;
    }
    return s;
}

String TPageSelection::AutocorrectText(const String& text) {
    // A line break of any kind becomes one blank: a lone LF (text from
    // another system) must not glue two words together.
    String s = StrReplaceAll(text, "\r\n", "\r");
    s = StrReplaceAll(s, "\n", "\r");
    return Trim(StrReplaceAll(s, "\r", " "));
}
