#include "framework/controls/Form.h"

#include <QWidget>

struct TForm::Impl {
    std::unique_ptr<QWidget> widget{new QWidget};
};

TForm::TForm(TComponent* owner) : TComponent(owner), FImpl(new Impl) {}

TForm::~TForm() = default;

void TForm::SetCaption(const String& caption) {
    if (caption == FCaption) return;
    FCaption = caption;
    FImpl->widget->setWindowTitle(QString::fromStdString(caption));
}

void TForm::Show() { FImpl->widget->show(); }
void TForm::Hide() { FImpl->widget->hide(); }
void TForm::Close() { FImpl->widget->close(); }
bool TForm::Visible() const { return FImpl->widget->isVisible(); }
QWidget* TForm::Widget() const { return FImpl->widget.get(); }
