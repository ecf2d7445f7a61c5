#include "composer/engine/UpdateRun.h"

#include "composer/engine/PageExceptions.h"
#include "composer/engine/TagComposer.h"
#include "framework/rtl/FileReplacement.h"
#include "framework/rtl/StrUtils.h"

using namespace RunTexts;

TUpdateRunResult TUpdateRun::Button34Click(const TUpdateRunInput& input) {
    TUpdateRunResult result;
    if (FActive) return result;
    auto show = [this](const String& text, TMessageKind kind) {
        if (OnShowMessage) OnShowMessage(text, kind);
    };
    auto line = [this](const String& text) {
        if (OnResultLine) OnResultLine(text);
    };
    if (LowerCase(input.SchemaName) == "gilsmask") {
        show(SGilsmaskRefused, mkError);
        return result;
    }
    // The run walks its own copy: the selection may not change under it.
    const std::vector<String> pages = input.SelectedFiles;
    if (pages.empty()) {
        show(SNoFilesSelected, mkWarning);
        return result;
    }

    struct ActiveGuard {
        TUpdateRun& run;
        explicit ActiveGuard(TUpdateRun& r) : run(r) {
            run.FActive = true;
            if (run.OnActiveChange) run.OnActiveChange(true);
        }
        ~ActiveGuard() {
            run.FActive = false;
            if (run.OnActiveChange) run.OnActiveChange(false);
        }
    } guard(*this);
    result.Started = true;

    TTagWriter writer;
    writer.OnShowMessage = OnShowMessage;
    writer.OnBeforeReplace = OnBeforeReplace;
    writer.Head.OnProcessMessages = OnProcessMessages;
    writer.RemoveMode = input.RemoveMode;
    writer.WriteTitle = pages.size() == 1;
    writer.Title = input.Fields.Title;
    writer.TagLineList =
        TTagComposer::ComposeTagLines(input.Fields, input.Settings, input.TokenMap).TagLineList;
    result.TagLineList = writer.TagLineList;
    if (input.RemoveMode) writer.BuildRemoveList(input.Fields, input.Settings);

    if (OnProcessMessages) OnProcessMessages();
    if (OnClearResults) OnClearResults();
    const int n = static_cast<int>(pages.size());
    for (int i = 0; i < n; ++i) {
        const String& path = pages[i];
        line(SPreparing + std::to_string(i + 1) + " of " + std::to_string(n));
        if (OnProgress) OnProgress(i + 1, n);
        if (OnProcessMessages) OnProcessMessages();
        try {
            if (writer.WriteTags(path)) {
                line(SUpdated + path);
                ++result.Written;
            } else {
                line(SFailed + path);
                if (!writer.LastFailure.empty()) line(writer.LastFailure);
            }
        } catch (const ENoFile& e) {
            show(e.Message, mkError);
        } catch (const EFOpenError& e) {
            show("File : " + path + SCouldNotOpen + "\r" + SCheckExists, mkError);
            line(SFailed + path);
            if (const auto* f = dynamic_cast<const EFileOpenFailure*>(&e)) line(f->Reason);
        } catch (const EInvalidHTMLFile& e) {
            // A page without a recognisable head fails on its own.
            line(SFailed + path);
            line(e.Reason);
        } catch (const std::exception& e) {
            show(e.what(), mkError);
            return result;
        }
    }
    show(SWroteTags + std::to_string(result.Written) + " Files", mkInformation);
    result.Completed = true;
    return result;
}
