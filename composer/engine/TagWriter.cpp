#include "composer/engine/TagWriter.h"

#include <cerrno>
#include <cstring>

#include "composer/engine/MetaFieldTable.h"
#include "composer/engine/PageExceptions.h"
#include "composer/engine/TagComposer.h"
#include "framework/rtl/FileReplacement.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/StrUtils.h"

namespace {

String ReasonOf(const std::exception& e) {
    if (const auto* f = dynamic_cast<const EFileOpenFailure*>(&e)) return f->Reason;
    if (const auto* f = dynamic_cast<const EFileCreateFailure*>(&e)) return f->Reason;
    if (const auto* f = dynamic_cast<const EFileWriteFailure*>(&e)) return f->Reason;
    return e.what();
}

bool IsTagItem(const THeadItem& item) {
    return item.Role == THeadItem::irMeta || item.Role == THeadItem::irPicsLabel;
}

}  // namespace

String TTagWriter::WithEnding(const String& line, bool selfClosed) {
    String r = line;
    if (!r.empty() && r.back() == '>') r.pop_back();
    if (!r.empty() && r.back() == '/') r.pop_back();
    return r + (selfClosed ? "/>" : ">");
}

void TTagWriter::SavePage(const String& fileName, const String& head, TFileSource& source, Int64 restOffset,
                          const String* page) {
    // Renaming over a file ignores its permissions; a page the owner marked
    // read-only must stay as it is.
    TFileReplacement replacement(fileName, true);
    replacement.Write(head);
    const size_t rest = static_cast<size_t>(restOffset);
    if (page && rest <= page->size()) replacement.Write(page->data() + rest, page->size() - rest);
    else replacement.CopyFrom(source, restOffset);
    // Another program may have removed, replaced or rewritten the page since
    // it was read: its work stays, and what was read is not put back.
    replacement.Commit([&] {
        if (source.UnchangedAt(fileName)) return;
        if (!FileExists(fileName)) throw EFileOpenFailure(fileName, strerror(ENOENT));
        throw EPageChanged(HeadTexts::SChangedMeanwhile);
    });
}

bool TTagWriter::WriteTags(const String& fileName) {
    LastFailure.clear();
    if (fileName.empty()) throw ENoFile(HeadTexts::SNoFileToLoad);
    Head.PagePath = fileName;
    auto failed = [this](const char* message, const char* number, const String& reason) {
        LastFailure = String("Error ") + number + ": " + reason;
        if (message && OnShowMessage) OnShowMessage(message, mkError);
        return false;
    };
    std::unique_ptr<TFileSource> source;
    try {
        source = std::make_unique<TFileSource>(fileName);
        Head.LoadFromSource(*source);
    } catch (const EInvalidHTMLFile&) {
        throw;
    } catch (const std::exception& e) {
        return failed(WriterTexts::SCouldNotLoad, "101", ReasonOf(e));
    }
    // A killed run may have left a temporary file where the page's
    // replacement is made (a link's target's folder); the first write
    // into a folder clears what is stale.
    const String folder = ReplacementFolder(ExpandFileName(fileName));
    if (FCleanedFolders.insert(folder).second) RemoveStaleReplacements(folder);
    try {
        Head.SetUpMetaLines();
        if (RemoveMode) {
            RemoveTags();
        } else {
            if (WriteTitle) WriteTitleLine();
            WriteMetaTags();
        }
        Head.PositionLines();
    } catch (const EInvalidHTMLFile& e) {
        LastFailure = e.Reason;
        return false;
    } catch (const EInvalidMetaTag& e) {
        LastFailure = e.Message;
        return false;
    }
    try {
        if (OnBeforeReplace) OnBeforeReplace(fileName);
        SavePage(fileName, Head.Text(), *source, static_cast<Int64>(Head.HeadEnd()),
                 Head.Complete ? &Head.Page : nullptr);
    } catch (const EFOpenError&) {
        throw;
    } catch (const EPageChanged& e) {
        LastFailure = e.Message;
        return false;
    } catch (const std::exception& e) {
        return failed(WriterTexts::SCouldNotUpdate, "102", ReasonOf(e));
    }
    return true;
}

String TTagWriter::TagBytes(const String& line, const String& oldContent, const char* ending) const {
    // The line is UTF-8 and escaped; its content goes in as a changed value,
    // the rest as it is.
    TMarkupScanner scanner(line, true);
    TMarkupToken t;
    scanner.ScanTag(0, t);
    const TMarkupAttribute* content = t.Attribute(line, "content");
    const String tail = ending ? WithEnding(line, String(ending) == "/>") : line;
    if (!content) return Head.Encoding.Bytes(tail);
    const String text = TPageEncoding::ResolveReferences(
        line.substr(content->ValueStart, content->ValueEnd - content->ValueStart), true);
    return Head.Encoding.Bytes(line.substr(0, content->ValueStart)) +
           Head.Encoding.ChangedBytes(oldContent, text, true) +
           Head.Encoding.Bytes(tail.substr(content->ValueEnd));
}

void TTagWriter::WriteMetaTags() {
    const TPageEncoding utf8;  // composed lines are UTF-8 text
    for (const String& entry : TagLineList) {
        TMetaTag wanted;
        if (entry.empty() || !TPageHead::ReadMetaTag(entry, utf8, wanted)) continue;
        THeadItem* existing = nullptr;
        TMetaTag found;
        for (THeadItem& item : Head.Items)
            if (IsTagItem(item) && TPageHead::ReadMetaTag(item.Text, Head.Encoding, found) &&
                SameText(found.Name, wanted.Name)) {
                existing = &item;
                break;
            }
        // A page that closes its tags XML's way gets its new tags closed so;
        // otherwise the line keeps the ending it was composed with.
        const char* ending = Head.Xhtml ? "/>" : nullptr;
        if (existing) {
            // The same value stays byte for byte as the page has it.
            if (found.Content == wanted.Content && found.Token == wanted.Token) continue;
            // A tag with an end tag of its own ("</meta>") keeps it behind
            // the new tag, which then ends plain.
            const bool endTag = existing->Text.size() > found.TagLength;
            existing->Text = TagBytes(entry, found.RawContent, endTag ? ">" : ending) +
                             existing->Text.substr(std::min(found.TagLength, existing->Text.size()));
            continue;
        }
        THeadItem item;
        item.Role = THeadItem::irMeta;
        item.Text = TagBytes(entry, String(), ending);
        Head.Items.push_back(std::move(item));
    }
}

void TTagWriter::WriteTitleLine() {
    // The placeholder the reader shows for a page without a title is no
    // title of the user's: it never goes into a page.
    if (Title.empty() || Title == HeadTexts::STitleMissing) return;
    const String title = TTagComposer::OneLine(Title);
    THeadItem* item = Head.Title();
    if (!item) {
        THeadItem t;
        t.Role = THeadItem::irTitle;
        t.Text = "<title>" + Head.Encoding.ChangedBytes(String(), title, false) + "</title>";
        Head.Items.insert(Head.Items.begin(), std::move(t));
        return;
    }
    if (Head.TitleText() == title) return;
    if (item->ContentStart == String::npos) {
        // "<title/>" (XML's empty title) opens up; an unclosed title is left.
        if (item->Text.size() < 2 || item->Text.compare(item->Text.size() - 2, 2, "/>") != 0) return;
        item->Text = WithEnding(item->Text, false) + Head.Encoding.ChangedBytes(String(), title, false) + "</title>";
        return;
    }
    const String bytes = Head.Encoding.ChangedBytes(
        item->Text.substr(item->ContentStart, item->ContentEnd - item->ContentStart), title, false);
    item->Text.replace(item->ContentStart, item->ContentEnd - item->ContentStart, bytes);
    item->ContentEnd = item->ContentStart + bytes.size();
}

void TTagWriter::RemoveTags() {
    const TPageEncoding utf8;
    for (const String& prefix : RemoveList) {
        TMetaTag wanted, found;
        if (!TPageHead::ReadMetaTag(prefix + ">", utf8, wanted)) continue;
        for (size_t i = 0; i < Head.Items.size(); ++i) {
            if (!IsTagItem(Head.Items[i]) || !TPageHead::ReadMetaTag(Head.Items[i].Text, Head.Encoding, found) ||
                !SameText(found.Name, wanted.Name))
                continue;
            Head.Items.erase(Head.Items.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
}

int TTagWriter::BuildRemoveList(const TMetaFields& f, const TTagSettings& settings) {
    RemoveList.clear();
    auto add = [this](bool httpEquiv, const String& tagName, const String& value) {
        if (tagName.empty() || LowerCase(value) != "remove") return;
        RemoveList.push_back(String(httpEquiv ? TagTexts::SHttpEquivOpening : TagTexts::SNameOpening) +
                             tagName + "\"");
    };
    for (const TMetaFieldRow* row : MetaFieldsBy(&TMetaFieldRow::RemovePosition))
        add(row->HttpEquiv, row->TagNameWith(settings), f.*row->Value);
    for (const TCustomRow& row : f.CustomRows)
        add(false, Trim(LowerCase(row.Name)), Trim(row.Value));
    return static_cast<int>(RemoveList.size());
}
