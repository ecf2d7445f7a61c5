#pragma once
// A main window over a scratch program folder (the real lookup lists, an
// empty schemas folder) and a settings store of its own, with every box
// and dialog answered by script.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "composer/ComposerTestSupport.h"
#include "composer/engine/ComposerSettings.h"
#include "composer/windows/Form1.h"
#include "framework/controls/DialogScript.h"
#include "framework/system/ProgramFolder.h"
#include "framework/system/Registry.h"

class MainWindowTest : public ::testing::Test {
protected:
    TTempDir Folder;
    TPrivateRegistry Store{Folder.File("registry.ini")};
    TDialogScript Dialogs;
    std::unique_ptr<TForm1> Form;

    void SetUp() override {
        namespace fs = std::filesystem;
        // The lists the program ships, from the source tree.
        const fs::path lists =
            (fs::path(VELMOR_FIXTURES) / ".." / ".." / ".." / ".." / "data" / "lists").lexically_normal();
        fs::create_directories(Folder.File("lists"));
        for (const auto& entry : fs::directory_iterator(lists))
            if (entry.path().extension() == ".txt")
                fs::copy_file(entry.path(), fs::path(Folder.File("lists")) / entry.path().filename());
        fs::create_directories(Folder.File("schemas"));
        SetProgramFolderOverride(Folder.Path());
        ComposerSettings = TComposerSettings();
        Dialogs.OnUnanswered = [](const TDialogRecord& r) {
            ADD_FAILURE() << "a box nobody expected: " << r.Text;
        };
    }

    void TearDown() override {
        Form.reset();
        SetProgramFolderOverride("");
    }

    TForm1* Create() {
        Form = std::make_unique<TForm1>(nullptr);
        Form->AfterConstruction();
        return Form.get();
    }

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

    // The texts of the boxes shown so far, in order.
    std::vector<String> ShownTexts() const {
        std::vector<String> texts;
        for (const TDialogRecord& r : Dialogs.Shown())
            if (r.Kind != "TOpenDialog") texts.push_back(r.Text);
        return texts;
    }

    String Page(const String& name, const String& head) {
        const String path = Folder.File(name);
        WriteAll(path, "<html>\r\n<head>\r\n" + head + "</head>\r\n<body>\r\n<p>Text</p>\r\n</body>\r\n</html>\r\n");
        return path;
    }
};
