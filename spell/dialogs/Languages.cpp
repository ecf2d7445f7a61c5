#include "spell/dialogs/Languages.h"

#include "framework/rtl/Exception.h"

namespace {
const char* const EndMarker = "@@@";

const char* const EnglishTexts[64] = {
    "Spell Check Complete", "Words Checked: ", "", "Spell Check",
    "&Change All", "C&hange", "&Ignore All", "I&gnore", "&Add", "Au&to-Correct", "S&uggest", "Start",
    "Undo &Last", "&Options", "&Delete", "Hel&p", "Cancel",
    "Not Found:", "Repeated Word:", "Replace With:", "Suggestions:", "...",
    "Spell Check Configuration", "Dictionaries", "Options", "&OK", "&Cancel",
    " Main Dictionaries: ", "&Add", "&Remove", " User Dictionaries: ", "A&dd", "R&emove", "&New",
    "Add Words &To;",
    " Ignore: ", " Suggestions: ", " General: ", "Reset Ignore &All", "R&eset Change All",
    "Words in &UPPERCASE", "Words Containing &Numbers", "&HTML Tags", "UR&Ls and E-mail Addresses",
    "Quoted Lines", "&Generate Automatically", "From &Primary Dictionary Only",
    "Re-check Replaced Words", "Prompt on Repeated Word", "Prompt on &DUal CAps", "User Option 1",
    "User Option 2", "User Option 3", "User Option 4",
    "Dictionary Files", "Open Main Dictionary", "User Dictionaries", "Open User Dictionary",
    "User Dictionary File", "New User Dictionary",
    "A main dictionary has yet to be\\set for this configuration.\\\\Edit configuration?",
    "This dictionary file could not be\\located.  It needs to be moved\\to the specified "
    "directory or\\this entry should be removed.",
    "Unable to find dictionary file:", "Exit without saving configuration?",
};
}  // namespace

TLanguageModule::TLanguageModule() : Strings(std::make_unique<TStringList>()) {
    Strings->Duplicates = dupAccept;
    for (int i = 0; i < 64; ++i) Strings->Add(String());
}

TLanguages::TLanguages() {
    auto english = std::make_unique<TLanguageModule>();
    english->Name = "English (US)";
    for (int i = 0; i < 64; ++i) english->Strings->Put(i, EnglishTexts[i]);
    Modules.push_back(std::move(english));
    LangCount = 1;
}

TLanguages::~TLanguages() = default;

void TLanguages::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TLanguages*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    Modules.clear();
    for (const auto& m : other->Modules) {
        auto copy = std::make_unique<TLanguageModule>();
        copy->Name = m->Name;
        copy->Strings->Assign(m->Strings.get());
        Modules.push_back(std::move(copy));
    }
    LangCount = other->LangCount;
}

void TLanguages::WriteLang(TStrings* items) const {
    for (const auto& m : Modules) {
        items->Add(m->Name);
        for (int i = 0; i < m->Strings->Count(); ++i) items->Add(m->Strings->Get(i));
        items->Add(EndMarker);
    }
}

void TLanguages::ReadLang(const TStrings* items) {
    std::vector<std::unique_ptr<TLanguageModule>> modules;
    int at = 0;
    const int n = items->Count();
    for (int k = 0; k < LangCount; ++k) {
        // A count larger than the list holds names a module that is not there.
        if (at >= n)
            throw EReadError("The language list ends before its announced count of modules");
        auto m = std::make_unique<TLanguageModule>();
        m->Strings->Clear();
        m->Name = items->Get(at++);
        while (at < n && items->Get(at) != EndMarker) m->Strings->Add(items->Get(at++));
        if (at >= n) throw EReadError("A language module ends without its \"@@@\" marker");
        ++at;
        modules.push_back(std::move(m));
    }
    Modules = std::move(modules);
}

TLanguageModule* TLanguages::Module(int index) const {
    if (index < 0 || index >= ModuleCount()) return nullptr;
    return Modules[static_cast<std::size_t>(index)].get();
}

String TLanguages::Text(int language, int index) const {
    const TLanguageModule* m = Module(language);
    if (!m || index < 0 || index >= m->Strings->Count()) return String();
    return m->Strings->Get(index);
}

String TLanguages::ConvertLineBreaks(const String& text) {
    String out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\\') out += "\r\n";
        else out += c;
    }
    return out;
}
