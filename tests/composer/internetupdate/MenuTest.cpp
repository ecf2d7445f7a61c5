// The Run menu's "Internet Update ...": the window opens modally from the
// main window, and what it downloaded shows there once it closes.
#include "composer/mainwindow/MainWindowTestSupport.h"

#include "composer/tools/WebForm.h"
#include "framework/classes/Strings.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Menus.h"
#include "framework/testkit/LoopbackServer.h"
#include "toolbars/TbToolbarButton.h"

namespace {

class InternetUpdateMenu : public MainWindowTest {
protected:
    TLoopbackServer Server;
};

TEST_F(InternetUpdateMenu, DownloadedListsAndSchemasShowInTheMainWindowAfterwards) {
    WriteAll(Folder.File("schemas/schemas.txt"), "dc.tgs\r\n");
    WriteAll(Folder.File("wbc/servers.txt"), "");
    Server.Serve("/v/Controlled.def", TLoopbackServer::Response(200, "OK", "language.txt\r\n"));
    Server.Serve("/v/language.txt", TLoopbackServer::Response(200, "OK", "Klingon\r\nLatin\r\n"));
    Server.Serve("/v/dc.tgs", TLoopbackServer::Response(200, "OK", "1 1\r\n"));
    TForm1* f = Create();
    f->Edit7->SetText("typed by the user");
    ASSERT_EQ(f->Edit7->Items()->IndexOf("Klingon"), -1);
    ASSERT_EQ(f->scname->Items()->IndexOf("dc"), -1);

    bool opened = false;
    Dialogs.AnswerWith([&](TForm* form) {
        auto* w = dynamic_cast<TWebForm*>(form);
        ASSERT_NE(w, nullptr) << form->ClassName();
        opened = true;
        w->Edit1->SetText(Server.HostPort() + "/v/");
        w->CheckBox3->SetChecked(true);
        w->SpeedButton3->Click();
        w->SpeedButton5->Click();
    });
    Dialogs.Answer(mrOk);  // "Update Finished"
    f->InternetUpdate1->Click();

    EXPECT_TRUE(opened);
    EXPECT_EQ(f->Edit7->Items()->Text(), "Klingon\r\nLatin\r\n");
    EXPECT_EQ(f->Edit7->Text(), "typed by the user");
    EXPECT_NE(f->scname->Items()->IndexOf("dc"), -1);
}

}  // namespace
