#include "TestSupport.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "framework/controls/Form.h"
#include "framework/messages/MessageQueue.h"
#include "framework/rtl/FileUtils.h"
#include "framework/system/InstanceGuard.h"
#include "framework/system/ProgramFolder.h"
#include "styled/base/StyOneInstance.h"

namespace fs = std::filesystem;

namespace {
const String& RunPrefix() {
    static const String prefix = [] {
        std::random_device rd;
        const unsigned long long run =
            (static_cast<unsigned long long>(rd()) << 32) ^ rd() ^
            static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
        return "velmor-stybase-" + std::to_string(run % 1000000007ULL) + "-";
    }();
    return prefix;
}
}  // namespace

String UniqueInstanceName(const String& tag) {
    static std::atomic<int> counter{0};
    return RunPrefix() + tag + "-" + std::to_string(++counter);
}

void RemoveRunFiles() {
    // Lock files stay after their guard is gone, by design; the ones this
    // run made are of no use to anybody.
    const String folder = ExtractFilePath(TInstanceGuard(RunPrefix() + "probe").LockFileName());
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const String file = entry.path().filename().string();
        if (file.rfind(RunPrefix(), 0) == 0) fs::remove(entry.path(), ec);
    }
}

TScratchApplication::TScratchApplication() : FSaved(Application) {
    Application = nullptr;
    FApp = std::make_unique<TApplication>(nullptr);
    if (FSaved) FApp->SetTitle(FSaved->Title());
}

TScratchApplication::~TScratchApplication() {
    FApp.reset();
    Application = FSaved;
    if (FSaved) SetDispatchExceptionHandler([app = FSaved](std::exception_ptr e) { app->HandleException(nullptr, e); });
}

String StartChild(const String& mode, const String& name) {
    const String out = (fs::temp_directory_path() / (UniqueInstanceName("out") + ".txt")).string();
    // Its output goes nowhere: a child left running must not hold the
    // test runner's pipes open.
    const String cmd =
        "'" + ProgramFile() + "' --sty-child " + mode + " " + name + " '" + out + "' >/dev/null 2>&1 &";
    std::system(cmd.c_str());
    return out;
}

String ReadChildFile(const String& file) {
    std::ifstream in(file);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

String RunChild(const String& mode, const String& name) {
    const fs::path out = fs::temp_directory_path() / (UniqueInstanceName("out") + ".txt");
    const String cmd = "'" + ProgramFile() + "' --sty-child " + mode + " " + name + " '" + out.string() + "'";
    std::system(cmd.c_str());
    std::ifstream in(out);
    std::stringstream ss;
    ss << in.rdbuf();
    std::error_code ec;
    fs::remove(out, ec);
    return ss.str();
}

String ChildValue(const String& answer, const String& key) {
    std::istringstream in(answer);
    String line;
    while (std::getline(in, line))
        if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    return String();
}

namespace {

// The main form of a second copy as the composer builds it: one
// TStyOneInstance in mode oiCustom whose handler only takes note.
class TSecondCopyForm : public TForm {
public:
    explicit TSecondCopyForm(TComponent* owner) : TForm(owner) {
        SetCaption("Second copy");
        OneInstance = new TStyOneInstance(this);
        OneInstance->SetMode(oiCustom);
        OneInstance->OnCustom = [this](TObject*) { ++CustomCalls; };
        OnShow = [this](TObject*) { ++ShowCalls; };
        FinishLoading();
    }
    TStyOneInstance* OneInstance;
    int CustomCalls = 0;
    int ShowCalls = 0;
};

int RunChildMode(const String& mode, const String& name, const String& outFile) {
    std::ofstream out(outFile);
    if (mode == "guard") {
        TStyApplication sty(nullptr, name);
        out << "prev=" << sty.PrevInstance() << "\n";
        return 0;
    }
    if (mode == "activate") {
        TStyApplication sty(nullptr, name);
        out << "prev=" << sty.PrevInstance() << "\n";
        out << "sent=" << sty.ActivatePrevInstance() << "\n";
        return 0;
    }
    if (mode == "second-copy") {
        // The order the program keeps: the styled application first, then
        // the framework's, then the main form.
        TStyApplication sty(nullptr, name);
        out << "prev=" << sty.PrevInstance() << "\n";
        // Without a first copy the form would show and wait for a person.
        if (!sty.PrevInstance()) return 0;
        int argc = 1;
        char arg0[] = "child";
        char* argv[] = {arg0, nullptr};
        TApplication app(nullptr);
        Application->Initialize(argc, argv);
        Application->SetTitle("Velmor");
        auto* form = Application->CreateForm<TSecondCopyForm>();
        const int rc = Application->Run();
        out << "custom=" << form->CustomCalls << "\n";
        out << "shown=" << form->ShowCalls << "\n";
        out << "terminated=" << Application->Terminated() << "\n";
        out << "rc=" << rc << "\n";
        return 0;
    }
    if (mode == "first-copy") {
        // The first copy as the program starts: the styled application
        // before the toolkit, so its listener must come up with the
        // toolkit. It answers one request, or gives up after a while.
        TStyApplication sty(nullptr, name);
        int argc = 1;
        char arg0[] = "child";
        char* argv[] = {arg0, nullptr};
        TApplication app(nullptr);
        Application->Initialize(argc, argv);
        {
            std::ofstream ready(outFile + ".ready");
            ready << "listening=" << sty.ListeningForCopies() << "\n";
        }
        PumpMessagesUntil([&] { return sty.ActivationRequests() > 0; }, 30000);
        out << "prev=" << sty.PrevInstance() << "\n";
        out << "requests=" << sty.ActivationRequests() << "\n";
        return 0;
    }
    return 2;
}

}  // namespace

int RunChildModeIfAsked(int argc, char** argv) {
    if (argc != 5 || String(argv[1]) != "--sty-child") return -1;
    return RunChildMode(argv[2], argv[3], argv[4]);
}
