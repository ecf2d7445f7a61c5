#pragma once
// A scratch program folder (with or without the noise-word file) and a
// settings store of its own, every box answered by script.
#include <gtest/gtest.h>

#include "composer/ComposerTestSupport.h"
#include "composer/engine/ComposerSettings.h"
#include "framework/controls/DialogScript.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/Registry.h"

class KeywordWindowTest : public ::testing::Test {
protected:
    TTempDir Folder;
    TPrivateRegistry Store{Folder.File("registry.ini")};
    TDialogScript Dialogs;

    void SetUp() override {
        SetProgramFolderOverride(Folder.Path());
        ComposerSettings = TComposerSettings();
        Dialogs.OnUnanswered = [](const TDialogRecord& r) {
            ADD_FAILURE() << "a box nobody expected: " << r.Text;
        };
    }
    void TearDown() override { SetProgramFolderOverride(""); }

    static void Put(const String& name, const String& value) {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey(TComposerSettings::KeyPath, true));
        reg.WriteString(name, value);
    }
    static String Get(const String& name) {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        if (!reg.OpenKey(TComposerSettings::KeyPath, false)) return "<no key>";
        return reg.ValueExists(name) ? reg.ReadString(name) : String("<missing>");
    }

    // The texts of the boxes shown so far, in order, file dialogs left out.
    std::vector<String> ShownTexts() const {
        std::vector<String> texts;
        for (const TDialogRecord& r : Dialogs.Shown())
            if (r.Kind == "TMessageDlgForm") texts.push_back(r.Text);
        return texts;
    }

    String Page(const String& name, const String& body, const String& head = "<title>T</title>\r\n") {
        const String path = Folder.File(name);
        WriteAll(path, "<html>\r\n<HEAD>\r\n" + head + "</head>\r\n<body>\r\n" + body + "\r\n</body>\r\n</html>\r\n");
        return path;
    }
    void Noise(const String& text) { WriteAll(Folder.File("srexclude.txt"), text); }
};
