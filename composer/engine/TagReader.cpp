#include "composer/engine/TagReader.h"

#include "composer/engine/MetaFieldTable.h"
#include "composer/engine/PageExceptions.h"
#include "framework/rtl/FileReplacement.h"
#include "framework/rtl/StrUtils.h"

using namespace ReaderTexts;

namespace {

const TTagEntry* FindEntry(const TTagList& list, const String& name) {
    for (const TTagEntry& e : list)
        if (SameText(e.Name, name)) return &e;
    return nullptr;
}

String ValueOf(const TTagList& list, const String& name) {
    const TTagEntry* e = FindEntry(list, name);
    return e ? e->Value : String();
}

// The fields each reading mode fills.
TReadRule RuleOfMode(int mode) {
    return mode == TTagReader::rmKeywordsDescription ? TReadRule::KeepWhenMissing : TReadRule::EmptyWhenMissing;
}

}  // namespace

bool TTagReader::LoadAndNormalise(const String& currentFile) {
    if (currentFile.empty()) {
        if (OnShowMessage) OnShowMessage(SNoFileSelected, mkError);
        return false;
    }
    if (OnProcessMessages) OnProcessMessages();
    Head.PagePath = currentFile;
    if (!Head.OnProcessMessages) Head.OnProcessMessages = OnProcessMessages;
    try {
        TFileSource source(currentFile);
        Head.LoadFromSource(source);
    } catch (const EInvalidHTMLFile&) {
        throw;
    } catch (const std::exception& e) {
        // The system's reason goes with the message: a missing file, one
        // the user may not read, or something that is not a file at all.
        const auto* open = dynamic_cast<const EFileOpenFailure*>(&e);
        const String reason = open ? open->Reason : String(e.what());
        if (OnShowMessage) OnShowMessage(String(SCouldNotLoad) + "\r(" + reason + ")", mkPlain);
        return false;
    }
    Head.SetUpMetaLines();
    return true;
}

void TTagReader::ReadAll(TMetaFields& fields, const std::function<void(const String&)>& caption) {
    TTagList list;
    caption(SReadingTitle);
    ReadTitleLine(fields);
    BuildTagList(list, rmKeywordsDescription, fields);
    caption(SReadingKeywords);
    ReadTags(rmKeywordsDescription, list, fields);
    BuildTagList(list, rmOptions, fields);
    caption(SReadingOther);
    ReadTags(rmOptions, list, fields);
    BuildTagList(list, rmCustom, fields);
    caption(SReadingCustom);
    ReadTags(rmCustom, list, fields);
}

bool TTagReader::xread(const String& currentFile, TMetaFields& fields) {
    auto caption = [this](const String& c) {
        if (OnCaption) OnCaption(c);
    };
    return ReportingPageFaults([&] {
        if (!LoadAndNormalise(currentFile)) return false;
        ReadAll(fields, caption);
        caption("Velmor - " + currentFile);
        return true;
    });
}

void TTagReader::ReadPageText(const String& page, TMetaFields& fields) {
    Head.LoadFromText(page);
    Head.SetUpMetaLines();
    ReadAll(fields, [](const String&) {});
}

bool TTagReader::ReadCustomTags(const String& currentFile, TMetaFields& fields) {
    return ReportingPageFaults([&] {
        if (!LoadAndNormalise(currentFile)) return false;
        TTagList list;
        BuildTagList(list, rmCustom, fields);
        ReadTags(rmCustom, list, fields);
        return true;
    });
}

bool TTagReader::ReportingPageFaults(const std::function<bool()>& read) {
    try {
        return read();
    } catch (const EInvalidHTMLFile& e) {
        if (OnShowMessage) OnShowMessage(e.Message, mkPlain);
    } catch (const EInvalidMetaTag& e) {
        if (OnShowMessage) OnShowMessage(e.Message, mkPlain);
    } catch (const ENoFile& e) {
        if (OnShowMessage) OnShowMessage(e.Message, mkPlain);
    }
    return false;
}

void TTagReader::BuildTagList(TTagList& list, int mode, const TMetaFields& fields) const {
    list.clear();
    auto add = [&list](const String& name) {
        // A tag name configured empty is not looked for.
        if (!name.empty()) list.push_back({name, String()});
    };
    switch (mode) {
        case rmKeywordsDescription:
        case rmOptions:
            for (const TMetaFieldRow& row : MetaFieldTable())
                if (row.Read == RuleOfMode(mode)) add(row.TagNameWith(Settings));
            break;
        case rmCustom:
            for (const TCustomRow& row : fields.CustomRows) add(Trim(LowerCase(row.Name)));
            break;
        default:
            break;
    }
}

void TTagReader::ReadTags(int mode, TTagList& list, TMetaFields& fields) {
    // A head that holds nothing but its title changes no field.
    bool beyondTitle = false;
    for (const THeadItem& item : Head.Items) beyondTitle = beyondTitle || item.Role != THeadItem::irTitle;
    if (!beyondTitle) return;
    for (TTagEntry& entry : list) {
        // The first META tag of that name, written any way a browser takes.
        TMetaTag tag;
        bool found = false;
        for (const THeadItem& item : Head.Items) {
            if (item.Role != THeadItem::irMeta && item.Role != THeadItem::irPicsLabel) continue;
            if (TPageHead::ReadMetaTag(item.Text, Head.Encoding, tag) && SameText(tag.Name, entry.Name)) {
                found = true;
                break;
            }
        }
        if (!found) continue;
        switch (mode) {
            case rmKeywordsDescription:
                for (const TMetaFieldRow& row : MetaFieldTable())
                    if (row.Read == TReadRule::KeepWhenMissing && SameText(row.TagNameWith(Settings), entry.Name))
                        fields.*row.Value = tag.Content;
                break;
            case rmOptions:
                entry.Value = tag.Content;
                break;
            case rmCustom:
                if (!tag.Content.empty()) entry.Value = tag.Content;
                break;
            default:
                break;
        }
    }

    if (mode == rmOptions) SetMetaTags(list, fields);
    if (mode == rmCustom)
        for (TCustomRow& row : fields.CustomRows) {
            const String name = Trim(LowerCase(row.Name));
            if (!name.empty()) row.Value = ValueOf(list, name);
        }
}

void TTagReader::SetMetaTags(const TTagList& list, TMetaFields& f) const {
    for (const TMetaFieldRow& row : MetaFieldTable()) {
        if (row.Read != TReadRule::EmptyWhenMissing) continue;
        const String name = row.TagNameWith(Settings);
        if (!name.empty()) f.*row.Value = ValueOf(list, name);
    }
}

void TTagReader::ReadTitleLine(TMetaFields& fields) { fields.Title = Head.TitleText(); }

void TTagReader::SaveKeywordSnapshot(const TMetaFields& fields) { KeywordSnapshot = fields.Keywords; }
