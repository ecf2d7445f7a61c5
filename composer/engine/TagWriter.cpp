#include "composer/engine/TagWriter.h"

#include <algorithm>
#include <filesystem>

#include "composer/engine/PageExceptions.h"
#include "composer/engine/TagComposer.h"
#include "framework/rtl/FileUtils.h"

using namespace PageText;

void TTagWriter::SavePage(const String& fileName, const String& text) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(fileName);
    if (fs::is_symlink(target, ec)) {
        target = fs::canonical(target, ec);
        if (ec) throw Exception("Cannot follow the link " + fileName);
    }
    const fs::perms p = fs::status(target, ec).permissions();
    if (ec) throw Exception("Cannot read the permissions of " + target.string());
    // Renaming over a file ignores its permissions; a page the owner marked
    // read-only must stay as it is.
    const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((p & writable) == fs::perms::none) throw Exception(target.string() + " is read-only");
    SafeWriteFile(target.string(), text);
}

bool TTagWriter::WriteTags(const String& fileName) {
    Head.Buffer.Clear();
    if (fileName.empty()) throw ENoFile(HeadTexts::SNoFileToLoad);
    Head.PagePath = fileName;
    try {
        Head.Buffer.LoadFromFile(fileName);
    } catch (const std::exception&) {
        if (OnShowMessage) OnShowMessage(WriterTexts::SCouldNotLoad, mkError);
        return false;
    }
    Head.ExtractHeadSection();
    Head.SetCRLFLineBreaks();
    try {
        Head.SetUpMetaLines();
        if (RemoveMode) {
            RemoveTags();
        } else {
            if (WriteTitle) WriteTitleLine();
            WriteMetaTags();
            Head.PositionTitleLine();
        }
        Head.PositionLines();
        Head.ReplaceHeadSection(fileName);
    } catch (const EInvalidHTMLFile&) {
        return false;
    } catch (const EInvalidMetaTag&) {
        return false;
    }
    try {
        SavePage(fileName, Head.Buffer.Text());
    } catch (const std::exception&) {
        if (OnShowMessage) OnShowMessage(WriterTexts::SCouldNotUpdate, mkError);
        return false;
    }
    return true;
}

void TTagWriter::WriteMetaTags() {
    std::vector<String> lines = Head.Buffer.Lines();
    for (const String& entry : TagLineList) {
        if (entry.empty()) continue;
        const int c = FindNoCase(entry, "content=");
        const String key = c < 0 ? entry : entry.substr(0, c);
        const int first = TPageBuffer::IndexOfLine(lines, "<HEAD>") + 1;
        const int end = TPageBuffer::IndexOfLine(lines, "</HEAD>");
        if (first < 1 || end < first) continue;
        if (end == first) {
            lines.insert(lines.begin() + first, entry);
            continue;
        }
        // Program text in a script or style block is never taken for a tag.
        const std::vector<bool> inBlock = TPageHead::BlockLines(lines);
        int found = -1;
        for (int i = first; i < end; ++i)
            if (!inBlock[i] && ContainsNoCase(lines[i], key)) {
                found = i;
                break;
            }
        if (found >= 0)
            lines[found] = entry;
        else
            lines.insert(lines.begin() + end, entry);
    }
    Head.Buffer.SetLines(lines);
}

void TTagWriter::WriteTitleLine() {
    // The placeholder the reader shows for a page without a title is no
    // title of the user's: it never goes into a page.
    if (Title.empty() || Title == HeadTexts::STitleMissing) return;
    const String title = TTagComposer::OneLine(Title);
    TPageBuffer& b = Head.Buffer;
    const int h = b.Find("<HEAD>");
    if (h < 0) return;
    const int e = b.Find("</HEAD>", h);
    if (e < 0) return;
    const int t = b.Find("<title>", h, e + 7 - h);
    if (t < 0) {
        // A page without a title gets one from the title box; a title tag
        // with attributes is one all the same, and is left alone.
        if (b.Find("<title", h, e - h) >= 0) return;
        const int line = b.IndexOfLine("<head>");
        if (line >= 0) b.InsertLine(line + 1, "<title>" + title + "</title>");
        return;
    }
    const int c = b.Find("</title>", t + 7, e + 8 - (t + 7));
    if (c < 0) return;
    b.SetSel(t + 7, c - t - 7);
    b.SetSelText(title);
}

void TTagWriter::RemoveTags() {
    TPageBuffer& b = Head.Buffer;
    const int limit = b.Length();
    for (const String& prefix : RemoveList) {
        const int s = b.Find(prefix, 0, std::min(limit, b.Length()));
        if (s < 0) continue;
        const int e = b.Find(">", s);
        if (e < 0) continue;
        b.SetSel(s, e + 1 - s);
        b.SetSelText("");
    }
}

int TTagWriter::BuildRemoveList(const TMetaFields& f, const TTagSettings& settings) {
    RemoveList.clear();
    auto add = [this](bool httpEquiv, const String& tagName, const String& value) {
        if (tagName.empty() || Lower(value) != "remove") return;
        RemoveList.push_back(String(httpEquiv ? TagTexts::SHttpEquivOpening : TagTexts::SNameOpening) +
                             tagName + "\"");
    };
    add(false, "keywords", f.Keywords);
    add(false, "generator", f.Generator);
    add(true, "bulletin-date", f.BulletinDate);
    add(false, "bulletin-text", f.BulletinText);
    add(false, "description", f.Description);
    add(false, "distribution", f.Distribution);
    add(false, "robots", f.Robots);
    add(false, "rating", f.Rating);
    add(false, "copyright", f.Copyright);
    add(false, settings.aname, f.Author);
    add(false, settings.clasname, f.Classification);
    add(false, settings.lname, f.Language);
    add(true, "reply-to", f.ReplyTo);
    add(true, "pragma", f.Pragma);
    add(true, "expires", f.Expires);
    add(false, settings.catstr, f.Subject);
    add(false, "revisit-after", f.Revisit);
    for (const TCustomRow& row : f.CustomRows)
        add(false, TrimBlanks(Lower(row.Name)), TrimBlanks(row.Value));
    return static_cast<int>(RemoveList.size());
}
