#pragma once
#include <memory>

#include "framework/classes/Component.h"

class TForm;

// The application object: owns the Qt application, the forms it creates
// and the message loop. `Application` is the one process-wide instance.
class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Starts the toolkit. argc/argv must outlive the application.
    void Initialize(int& argc, char** argv);
    bool Initialized() const;

    const String& Title() const { return FTitle; }
    void SetTitle(const String& title);
    String ExeName() const;

    TForm* MainForm() const { return FMainForm; }
    // Creates a form owned by the application; the first becomes MainForm.
    template <class T>
    T* CreateForm() {
        T* form = new T(this);
        if (!FMainForm) FMainForm = form;
        return form;
    }

    // Shows the main form and runs the message loop until it closes or
    // Terminate is called. Returns the exit code.
    int Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void ProcessMessages();

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
    String FTitle;
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
};

extern TApplication* Application;
