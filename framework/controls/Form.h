#pragma once
#include <memory>

#include "framework/classes/Component.h"

class QWidget;

// A top-level window.
class TForm : public TComponent {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& caption);
    void Show();
    void Hide();
    void Close();
    bool Visible() const;

    QWidget* Widget() const;  // framework-internal

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
    String FCaption;
};
