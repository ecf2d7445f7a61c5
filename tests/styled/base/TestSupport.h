#pragma once
// Shared pieces of the styled base tests: unique instance names, a scratch
// framework application whose Terminate does not stick to the rest of the
// run, and running this test program again as a second copy.
#include <memory>

#include "framework/controls/Application.h"
#include "framework/rtl/Types.h"
#include "styled/base/StyApplication.h"

// A name no other test (nor another run of this program) uses.
String UniqueInstanceName(const String& tag);

// Removes the lock files that this run's names left behind.
void RemoveRunFiles();

// For its lifetime, Application is a fresh object with the same title.
class TScratchApplication {
public:
    TScratchApplication();
    ~TScratchApplication();
    TApplication* App() const { return FApp.get(); }

private:
    TApplication* FSaved;
    std::unique_ptr<TApplication> FApp;
};

// For its lifetime, StyApplication is `app`.
class TStyApplicationSwap {
public:
    explicit TStyApplicationSwap(TStyApplication* app) : FSaved(StyApplication) { StyApplication = app; }
    ~TStyApplicationSwap() { StyApplication = FSaved; }

private:
    TStyApplication* FSaved;
};

// Runs this test program as a child in `mode` for instance `name`; the
// child writes its findings as "key=value" lines, returned here (empty when
// the child wrote nothing).
String RunChild(const String& mode, const String& name);
// Starts the child without waiting; returns the file it will write.
String StartChild(const String& mode, const String& name);
String ReadChildFile(const String& file);
// The value of `key` in RunChild's answer ("" when absent).
String ChildValue(const String& answer, const String& key);

// Called by main: runs a child mode and returns its exit code, or -1 when
// the arguments ask for none.
int RunChildModeIfAsked(int argc, char** argv);
