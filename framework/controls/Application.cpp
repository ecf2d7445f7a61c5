#include "framework/controls/Application.h"

#include <QApplication>

#include "framework/controls/Form.h"
#include "framework/rtl/DateTime.h"
#include "framework/system/ProgramFolder.h"

TApplication* Application = nullptr;

struct TApplication::Impl {
    std::unique_ptr<QApplication> app;
};

TApplication::TApplication(TComponent* owner) : TComponent(owner), FImpl(new Impl) {
    if (!Application) Application = this;
}

TApplication::~TApplication() {
    DestroyComponents();  // forms go before the toolkit does
    FImpl->app.reset();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize(int& argc, char** argv) {
    if (!QApplication::instance()) FImpl->app = std::make_unique<QApplication>(argc, argv);
    LoadFormatSettingsFromLocale();
}

bool TApplication::Initialized() const { return QApplication::instance() != nullptr; }

void TApplication::SetTitle(const String& title) {
    if (title == FTitle) return;
    FTitle = title;
    QApplication::setApplicationName(QString::fromStdString(title));
}

String TApplication::ExeName() const { return ProgramFile(); }

int TApplication::Run() {
    if (FMainForm) FMainForm->Show();
    if (FTerminated) return 0;
    return QApplication::exec();
}

void TApplication::Terminate() {
    FTerminated = true;
    QApplication::quit();
}

void TApplication::ProcessMessages() { QApplication::processEvents(); }
