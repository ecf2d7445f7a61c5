#include "framework/controls/Application.h"
#include "framework/controls/Form.h"

namespace {
// The main window comes with the composer; until then the program opens a
// plain window with its title.
class TMainWindow : public TForm {
public:
    explicit TMainWindow(TComponent* owner) : TForm(owner) { SetCaption("Velmor"); }
};
}  // namespace

int main(int argc, char** argv) {
    TApplication app(nullptr);
    Application->Initialize(argc, argv);
    Application->SetTitle("Velmor");
    Application->CreateForm<TMainWindow>();
    return Application->Run();
}
