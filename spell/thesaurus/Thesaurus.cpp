#include "spell/thesaurus/Thesaurus.h"

#include <algorithm>

#include <cstring>

#include "framework/classes/StringList.h"
#include "framework/rtl/Exception.h"
#include "framework/rtl/FileUtils.h"
#include "framework/rtl/Format.h"
#include "framework/system/IniFile.h"
#include "framework/system/ProgramFolder.h"
#include "framework/controls/BitBtn.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/OpenDialog.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Screen.h"
#include "framework/controls/SizeConstraints.h"
#include "framework/controls/TabSheet.h"
#include "framework/graphics/Font.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/StrUtils.h"
#include "spell/store/CheckedReader.h"
#include "spell/thesaurus/ThesaurusDialog.h"

namespace {
constexpr std::size_t HeaderSize = 165;
constexpr std::size_t RecordSize = 14;

inline Cardinal U16At(const Byte* p) { return static_cast<Cardinal>(p[0] | (p[1] << 8)); }
inline Cardinal U32At(const Byte* p) {
    return static_cast<Cardinal>(p[0]) | (static_cast<Cardinal>(p[1]) << 8) |
           (static_cast<Cardinal>(p[2]) << 16) | (static_cast<Cardinal>(p[3]) << 24);
}
const Byte* Bytes(const TMemoryStream& s) {
    return static_cast<const Byte*>(const_cast<TMemoryStream&>(s).Memory());
}
std::size_t SizeOf(const TMemoryStream& s) {
    return static_cast<std::size_t>(const_cast<TMemoryStream&>(s).Size());
}
void Fill(TMemoryStream& s, const Byte* p, std::size_t n) {
    s.Clear();
    s.SetSize(static_cast<Int64>(n));
    if (n) std::memcpy(s.Memory(), p, n);
}
const char* const KindTags[5] = {"  (Context)", "  (Noun)", "  (Verb)", "  (Adj.)", "  (Adv.)"};
}  // namespace

String TThesaurusMeaning::Caption() const { return Label + KindTags[Kind]; }

// A node as decoded from the node data; the file was checked when loaded,
// so every offset here lies inside its block.
struct TThesaurus::TNodeInfo {
    Cardinal Word = 0;
    Byte Ch = 0;
    bool SingleChild = false, HasParent = false, Chain = false, End = false;
    std::vector<int> Children;
    int Parent = 0;
    std::vector<Cardinal> Codes;
};

TThesaurus::TThesaurus(TComponent* owner)
    : TComponent(owner), TopicHistory(std::make_unique<TStringList>()) {}

TThesaurus::~TThesaurus() {
    *FAlive = false;
    if (FDialogOpen) CloseDialog(false);
    Unload();
}

TThesaurus::TNodeInfo TThesaurus::ReadNode(int index) const {
    TNodeInfo n;
    n.Word = U32At(Bytes(NodeTable) + 4 * static_cast<std::size_t>(index));
    n.Ch = static_cast<Byte>(n.Word >> 24);
    n.SingleChild = (n.Word >> 20) & 1;
    n.HasParent = (n.Word >> 21) & 1;
    n.Chain = (n.Word >> 22) & 1;
    n.End = (n.Word >> 23) & 1;
    const Byte* p = Bytes(NodeData) + (n.Word & 0xFFFFF);
    if (n.SingleChild) {
        n.Children.push_back(static_cast<int>(U16At(p)));
        p += 2;
    } else {
        const Byte count = *p++;
        for (Byte k = 0; k < count; ++k, p += 2) n.Children.push_back(static_cast<int>(U16At(p)));
    }
    if (n.HasParent) {
        n.Parent = static_cast<int>(U16At(p));
        p += 2;
    }
    if (n.Chain || n.End) {
        const Byte count = *p++;
        for (Byte k = 0; k < count; ++k, p += 2) n.Codes.push_back(U16At(p));
    }
    return n;
}

void TThesaurus::Validate(const String& path) const {
    const TCheckedReader blame(path, String());
    const std::size_t dataSize = SizeOf(NodeData);
    const Byte* data = Bytes(NodeData);
    for (Cardinal i = 0; i < NodeCount; ++i) {
        const Cardinal w = U32At(Bytes(NodeTable) + 4 * std::size_t(i));
        std::size_t at = w & 0xFFFFF;
        auto need = [&](std::size_t bytes) {
            if (at + bytes > dataSize)
                blame.Fail(Format("the data of node %d runs past the node-data block", static_cast<Int64>(i)));
        };
        auto index = [&](Cardinal v, const char* what) {
            if (v >= NodeCount)
                blame.Fail(Format("node %d names %s %d of %d nodes", static_cast<Int64>(i), String(what),
                                  static_cast<Int64>(v), static_cast<Int64>(NodeCount)));
        };
        if ((w >> 20) & 1) {
            need(2);
            index(U16At(data + at), "child");
            at += 2;
        } else {
            need(1);
            const Byte count = data[at++];
            need(2 * std::size_t(count));
            for (Byte k = 0; k < count; ++k, at += 2) index(U16At(data + at), "child");
        }
        if ((w >> 21) & 1) {
            need(2);
            index(U16At(data + at), "parent");
            at += 2;
        }
        if ((w >> 22) & 3) {
            need(1);
            const Byte count = data[at++];
            need(2 * std::size_t(count));
            for (Byte k = 0; k < count; ++k, at += 2)
                if (U16At(data + at) / 5 >= MeaningCount)
                    blame.Fail(Format("node %d names meaning %d of %d", static_cast<Int64>(i),
                                      static_cast<Int64>(U16At(data + at) / 5), static_cast<Int64>(MeaningCount)));
        }
    }
    const std::size_t synSize = SizeOf(SynonymBlock);
    for (Cardinal r = 0; r < MeaningCount; ++r) {
        const Byte* rec = Bytes(MeaningRecords) + RecordSize * r;
        if (U16At(rec) >= NodeCount)
            blame.Fail(Format("meaning %d is named by node %d of %d", static_cast<Int64>(r),
                              static_cast<Int64>(U16At(rec)), static_cast<Int64>(NodeCount)));
        std::size_t total = 0;
        for (int k = 0; k < 4; ++k) total += U16At(rec + 2 + 2 * k);
        const std::size_t offset = U32At(rec + 10);
        if (offset > synSize || 2 * total > synSize - offset)
            blame.Fail(Format("the synonyms of meaning %d run past the synonym block", static_cast<Int64>(r)));
        for (std::size_t k = 0; k < total; ++k)
            if (U16At(Bytes(SynonymBlock) + offset + 2 * k) >= NodeCount)
                blame.Fail(Format("meaning %d lists a synonym past the node table", static_cast<Int64>(r)));
    }
}

void TThesaurus::LoadFromFile(const String& path) {
    Unload();
    TCheckedReader reader(path);
    reader.Seek(HeaderSize, "the node count");
    const Cardinal n = reader.ReadU32("the node count");
    if (n == 0 || n > reader.Remaining() / 4)
        reader.Fail(Format("a node table of %d entries does not fit in the file", static_cast<Int64>(n)));
    Fill(NodeTable, reader.ReadBytes(std::size_t(n) * 4, "the node table"), std::size_t(n) * 4);
    const Cardinal d = reader.ReadU32("the node-data size");
    Fill(NodeData, reader.ReadBytes(d, "the node data"), d);
    const Word m = reader.ReadU16("the meaning count");
    Fill(MeaningRecords, reader.ReadBytes(RecordSize * m, "the meaning records"), RecordSize * m);
    const Cardinal w = reader.ReadU32("the synonym-block size");
    Fill(SynonymBlock, reader.ReadBytes(w, "the synonym block"), w);
    NodeCount = n;
    MeaningCount = m;
    try {
        Validate(path);
    } catch (...) {
        Unload();
        throw;
    }
    FLoaded = true;
}

void TThesaurus::Unload() {
    NodeTable.Clear();
    NodeData.Clear();
    MeaningRecords.Clear();
    SynonymBlock.Clear();
    NodeCount = 0;
    MeaningCount = 0;
    FLoaded = false;
}

namespace {
// The thesaurus always carries the ".THR" extension, in whatever letter case
// the file system holds it; the file tested is the one that will be read.
String ExistingThr(const String& path) {
    if (path.empty()) return String();
    const String found = FindPathNoCase(ChangeFileExt(path, ".THR"));
    return !found.empty() && FileExists(found) ? found : String();
}
}  // namespace

String TThesaurus::LocateFile() const {
    String found = ExistingThr(UseAppDir ? PathJoin(ProgramFolder(), FileName) : FileName);
    if (!found.empty()) return found;
    String cfg = FindPathNoCase(PathJoin(ProgramFolder(), "spellchk.cfg"));
    if (cfg.empty()) cfg = FindPathNoCase(PathJoin(ProgramFolder(), "thesaur.cfg"));
    if (cfg.empty()) return String();
    TIniFile ini(cfg);
    return ExistingThr(ini.ReadString("Thesaurus", "File", String()));
}

void TThesaurus::SetLoaded(bool value) {
    if (value == FLoaded) return;
    if (!value) {
        Unload();
        return;
    }
    const String path = LocateFile();
    if (!path.empty()) LoadFromFile(path);
}

void TThesaurus::GetWord(String& text, int nodeIndex) const {
    text.clear();
    if (!FLoaded || nodeIndex < 0 || static_cast<Cardinal>(nodeIndex) >= NodeCount) return;
    TNodeInfo node = ReadNode(nodeIndex);
    text += static_cast<char>(node.Ch);
    // Each walk is bounded by the node count, so a damaged file whose links
    // run in a circle cannot hang the lookup.
    if (node.Chain) {
        TNodeInfo c = node;
        for (Cardinal steps = 0; c.SingleChild && steps < NodeCount; ++steps) {
            c = ReadNode(c.Children[0]);
            text += static_cast<char>(c.Ch);
        }
    }
    for (Cardinal steps = 0; node.HasParent && node.Parent != 0 && steps < NodeCount; ++steps) {
        node = ReadNode(node.Parent);
        text.insert(text.begin(), static_cast<char>(node.Ch));
    }
}

bool TThesaurus::FindWord(const String& word, int& nodeIndex) const {
    if (!FLoaded) return false;
    String rest = word;
    TNodeInfo node = ReadNode(0);
    int index = 0;
    for (;;) {
        if (rest.empty() || node.Children.empty()) return false;
        int next = -1;
        TNodeInfo child;
        for (int c : node.Children) {
            TNodeInfo info = ReadNode(c);
            if (info.Ch == static_cast<Byte>(rest[0])) {
                next = c;
                child = std::move(info);
                break;
            }
        }
        if (next < 0) return false;
        rest.erase(0, 1);
        index = next;
        node = std::move(child);
        if (node.End && rest.empty()) {
            nodeIndex = index;
            return true;
        }
        if (node.Chain) break;
    }
    if (node.Children.empty()) return false;
    String chain;
    TNodeInfo c = ReadNode(node.Children[0]);
    chain += static_cast<char>(c.Ch);
    for (Cardinal steps = 0; c.SingleChild && steps < NodeCount && chain.size() <= rest.size(); ++steps) {
        c = ReadNode(c.Children[0]);
        chain += static_cast<char>(c.Ch);
    }
    if (chain != rest) return false;
    nodeIndex = index;
    return true;
}

std::vector<TThesaurusMeaning> TThesaurus::Meanings(const String& word) const {
    std::vector<TThesaurusMeaning> result;
    int index = 0;
    if (!FindWord(word, index)) return result;
    const TNodeInfo node = ReadNode(index);
    for (Cardinal code : node.Codes) {
        TThesaurusMeaning m;
        m.Record = static_cast<int>(code / 5);
        m.Kind = static_cast<TThesaurusKind>(code % 5);
        const Byte* rec = Bytes(MeaningRecords) + RecordSize * static_cast<std::size_t>(m.Record);
        GetWord(m.Label, static_cast<int>(U16At(rec)));
        const Byte* syn = Bytes(SynonymBlock) + U32At(rec + 10);
        for (int list = 0; list < 4; ++list) {
            const Cardinal count = U16At(rec + 2 + 2 * list);
            for (Cardinal k = 0; k < count; ++k, syn += 2) {
                String text;
                GetWord(text, static_cast<int>(U16At(syn)));
                m.Synonyms[list].push_back(text);
            }
        }
        // The same meaning twice (one record, or two records alike in
        // kind, label and synonyms) is one line for the user.
        const bool listed = std::any_of(result.begin(), result.end(), [&m](const TThesaurusMeaning& o) {
            if (o.Record == m.Record) return o.Kind == m.Kind;
            return o.Kind == m.Kind && o.Label == m.Label &&
                   std::equal(std::begin(o.Synonyms), std::end(o.Synonyms), std::begin(m.Synonyms));
        });
        if (!listed) result.push_back(std::move(m));
    }
    return result;
}

// --- the lookup window ----------------------------------------------------------

void TThesaurus::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FDialog) {
        FDialog = nullptr;
        FDialogOpen = false;
    }
}

bool TThesaurus::LoadForDialog() {
    if (FLoaded) return true;
    try {
        const String path = LocateFile();
        if (!path.empty()) {
            LoadFromFile(path);
            return FLoaded;
        }
        if (MessageDlg("The thesaurus file could not be located.\r\nWould you like to try locating the file yourself?",
                       mtInformation, mbYes | mbNo, 0) != mrYes)
            return false;
        TOpenDialog dialog(nullptr);
        dialog.DefaultExt = "thr";
        dialog.Filter = "Thesaurus Files|*.thr";
        dialog.Title = "Locate Thesaurus File";
        dialog.Options = ofPathMustExist | ofFileMustExist | ofHideReadOnly;
        if (!dialog.Execute() || !FileExists(dialog.FileName)) return false;
        const String thr = FindPathNoCase(ChangeFileExt(dialog.FileName, ".THR"));
        LoadFromFile(thr.empty() ? dialog.FileName : thr);
        String cfg = FindPathNoCase(PathJoin(ProgramFolder(), "spellchk.cfg"));
        if (cfg.empty()) cfg = PathJoin(ProgramFolder(), "thesaur.cfg");
        try {
            TIniFile ini(cfg);
            ini.WriteString("Thesaurus", "File", dialog.FileName);
            ini.UpdateFile();
        } catch (const std::exception& e) {
            // The file is loaded; only remembering where it is failed.
            MessageDlg(e.what(), mtWarning, mbOK, 0);
        }
    } catch (const std::exception& e) {
        // A damaged file: the user is told what is wrong with it before
        // the lookup gives up.
        MessageDlg(e.what(), mtError, mbOK, 0);
        return false;
    }
    return FLoaded;
}

void TThesaurus::WireDialog() {
    TThesaurusDialog* d = FDialog;
    d->LookupButton->OnClick = [this](TObject*) {
        if (FBusy || !FDialog) return;
        const String w = FDialog->WordEdit->Text();
        if (!w.empty()) LookupWord(w);
    };
    d->ReplaceButton->OnClick = [this](TObject*) {
        if (!FBusy) CloseDialog(true);
    };
    d->CancelButton->OnClick = [this](TObject*) {
        if (!FBusy) CloseDialog(false);
    };
    d->OnCloseQuery = [this](TObject*, bool& canClose) {
        canClose = false;
        if (!FBusy) CloseDialog(false);
    };
    d->ContextEdit->OnChange = [this](TObject*) {
        if (FBusy || !FDialog) return;
        const int i = FDialog->ContextEdit->ItemIndex();
        if (i < 0) return;
        const String topic = FDialog->ContextEdit->Items()->Get(i);
        FDialog->WordEdit->SetText(topic);
        LookupWord(topic);
    };
    const auto meaningChosen = [this](TObject*) {
        if (FBusy || !FDialog) return;
        const int i = FDialog->Lookup->ItemIndex();
        if (i >= 0) ShowSynonyms(i);
    };
    if (DoubleClicks)
        d->Lookup->OnDblClick = meaningChosen;
    else
        d->Lookup->OnClick = meaningChosen;
    for (int k = 0; k < 4; ++k) {
        TListBox* lb = d->List(k);
        const auto synonymChosen = [this, lb](TObject*) {
            if (FBusy || !FDialog || lb->ItemIndex() < 0) return;
            const String w = lb->Items()->Get(lb->ItemIndex());
            FDialog->WordEdit->SetText(w);
            LookupWord(w);
        };
        if (DoubleClicks)
            lb->OnDblClick = synonymChosen;
        else
            lb->OnClick = synonymChosen;
    }
}

void TThesaurus::Execute(const String& word, String& replacement) {
    if (FDialogOpen && FDialog) {
        FDialog->BringToFront();
        return;
    }
    // The window of the last lookup is hidden, not freed; one is enough.
    if (FDialog) {
        TThesaurusDialog* old = FDialog;
        FDialog = nullptr;
        delete old;
    }
    FDialog = new TThesaurusDialog(Owner() ? Owner() : this);
    FDialog->FreeNotification(this);
    if (!LoadForDialog()) {
        MessageDlg("Unable to load thesaurus file.", mtError, mbOK, 0);
        TThesaurusDialog* d = FDialog;
        FDialog = nullptr;
        delete d;
        return;
    }
    WireDialog();
    TThesaurusDialog* d = FDialog;
    d->ContextEdit->Items()->Assign(TopicHistory.get());
    d->SetCaption(DialogCaption);
    d->SetFormStyle(DialogStyle);
    d->Font()->SetSize(8);
    if (FBoundsSaved) {
        d->SetBounds(FSavedLeft, FSavedTop, FSavedWidth, FSavedHeight);
    } else if (Screen) {
        d->SetBounds(Screen->Width() / 2 - d->Width() / 2, Screen->Height() / 2 - d->Height() / 2, d->Width(),
                     d->Height());
    }
    Result.clear();
    FDialogOpen = true;
    const String lower = AnsiLowerCase(word);
    d->WordEdit->SetText(lower);
    LookupWord(lower);
    // The window opens on the first meaning, as if it had been chosen: its
    // synonyms show on the page of its kind (a context meaning already
    // shows its own).
    if (!FMeanings.empty() &&
        std::none_of(FMeanings.begin(), FMeanings.end(), [](const TThesaurusMeaning& m) { return m.Kind == tkContext; })) {
        d->Lookup->SetItemIndex(0);
        ShowSynonyms(0);
    }
    d->Show();
    // The frame's size is known once the window shows; the width is fixed
    // from it, so the window can only grow taller.
    const int fixed = d->FixedWidth();
    d->Constraints()->SetMaxWidth(fixed);
    d->Constraints()->SetMinWidth(fixed);
    const std::weak_ptr<bool> alive = FAlive;
    PumpMessagesUntil([&] { return alive.expired() || !*alive.lock() || !FDialogOpen; }, 0);
    if (alive.expired() || !*alive.lock()) return;
    replacement = Result;
    if (!replacement.empty() && !word.empty() && word[0] >= 'A' && word[0] <= 'Z' && replacement[0] >= 'a' &&
        replacement[0] <= 'z')
        replacement[0] = static_cast<char>(replacement[0] - 'a' + 'A');
}

void TThesaurus::LookupWord(const String& word) {
    if (!FDialog || FBusy) return;
    FBusy = true;
    TThesaurusDialog* d = FDialog;
    FMeanings = Meanings(word);
    d->Lookup->Items()->Clear();
    if (FMeanings.empty()) {
        d->Lookup->Items()->Add("Not Found.");
        for (int k = 0; k < 4; ++k) d->List(k)->Items()->Clear();
    } else {
        for (const auto& m : FMeanings) d->Lookup->Items()->Add(m.Caption());
    }
    FBusy = false;
    // A context meaning names no part of speech; its synonyms show at once.
    for (std::size_t i = 0; i < FMeanings.size(); ++i)
        if (FMeanings[i].Kind == tkContext) {
            ShowSynonyms(static_cast<int>(i));
            break;
        }
}

void TThesaurus::ShowSynonyms(int meaningIndex) {
    if (!FDialog || FBusy || meaningIndex < 0 || meaningIndex >= static_cast<int>(FMeanings.size())) return;
    FBusy = true;
    TThesaurusDialog* d = FDialog;
    const TThesaurusMeaning& m = FMeanings[static_cast<std::size_t>(meaningIndex)];
    TStrings* topics = d->ContextEdit->Items();
    if (topics->IndexOf(m.Label) < 0) topics->Insert(0, m.Label);
    d->ContextEdit->SetItemIndex(topics->IndexOf(m.Label));
    for (int k = 0; k < 4; ++k) {
        TStrings* items = d->List(k)->Items();
        items->BeginUpdate();
        items->Clear();
        for (const String& w : m.Synonyms[k]) items->Add(w);
        items->EndUpdate();
        d->Sheet(k)->SetTabVisible(!m.Synonyms[k].empty());
    }
    const int page = m.Kind == tkContext ? 0 : static_cast<int>(m.Kind) - 1;
    if (d->Sheet(page)->TabVisible()) d->PageControl->SetActivePage(d->Sheet(page));
    if (m.Kind != tkContext) {
        TListBox* lb = d->List(page);
        const int row = lb->Items()->IndexOf(d->WordEdit->Text());
        if (row >= 0) lb->SetItemIndex(row);
    }
    FBusy = false;
}

void TThesaurus::CloseDialog(bool replace) {
    if (!FDialogOpen) return;
    Result.clear();
    if (replace && FDialog) Result = FDialog->WordEdit->Text();
    if (DemandLoad) Unload();
    FMeanings.clear();
    FDialogOpen = false;
    if (FDialog) {
        TopicHistory->Assign(FDialog->ContextEdit->Items());
        FSavedLeft = FDialog->Left();
        FSavedTop = FDialog->Top();
        FSavedWidth = FDialog->Width();
        FSavedHeight = FDialog->Height();
        FBoundsSaved = true;
        FDialog->Hide();
    }
}
