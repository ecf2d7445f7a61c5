#include "framework/controls/qt/WsDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QHeaderView>
#include <QPointer>
#include <QStringList>
#include <QTreeView>

#include "framework/controls/qt/WsForms.h"
#include "framework/graphics/Font.h"

namespace velmor_ws {

namespace {

// The details view of the toolkit's file dialog gives its Size, Type and
// Date columns the width of sample texts, without the room the heading and
// the cells' margins need, so what they show was cut short. Once the
// folder has been read and shown they take the width of their contents.
void FitDetailColumns(QFileDialog& dlg) {
    auto* view = dlg.findChild<QTreeView*>("treeView");
    if (!view) return;
    const auto fit = [view] {
        for (int c = 1; c < view->header()->count(); ++c) view->resizeColumnToContents(c);
    };
    if (auto* model = dlg.findChild<QFileSystemModel*>())
        QObject::connect(model, &QFileSystemModel::directoryLoaded, view,
                         [view, fit](const QString&) { QMetaObject::invokeMethod(view, fit, Qt::QueuedConnection); });
    fit();
}

// Gives the keyboard back to the window that was active when it opened,
// as the program's own dialogs do.
class TFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    void done(int result) override {
        GiveFocusBack(this, FOpener);
        QFileDialog::done(result);
    }

private:
    QPointer<QWidget> FOpener = QApplication::activeWindow();
};

}  // namespace

bool RunFileDialog(const TFileDialogSetup& setup, std::vector<String>& files, int& filterIndex) {
    TFileDialog dlg(nullptr, QString::fromStdString(setup.Title));
    dlg.setAcceptMode(setup.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (setup.Save)
        dlg.setFileMode(QFileDialog::AnyFile);
    else if (setup.MultiSelect)
        dlg.setFileMode(QFileDialog::ExistingFiles);
    else
        dlg.setFileMode(setup.MustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!setup.OverwritePrompt) dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    QStringList filters;
    for (const TFilterEntry& e : setup.Filters) {
        QStringList pats;
        for (const String& p : e.Patterns) pats << QString::fromStdString(p);
        // The toolkit reads the patterns from the last parentheses.
        filters << QString::fromStdString(e.Description) + " (" + pats.join(' ') + ")";
    }
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        const int idx = setup.FilterIndex >= 1 && setup.FilterIndex <= filters.size() ? setup.FilterIndex - 1 : 0;
        dlg.selectNameFilter(filters.at(idx));
    }
    if (!setup.Directory.empty()) dlg.setDirectory(QString::fromStdString(setup.Directory));
    if (!setup.FileName.empty()) dlg.selectFile(QString::fromStdString(setup.FileName));
    if (!setup.DefaultExt.empty()) dlg.setDefaultSuffix(QString::fromStdString(setup.DefaultExt));
    FitDetailColumns(dlg);
    if (dlg.exec() != QDialog::Accepted) return false;
    const QStringList chosen = dlg.selectedFiles();
    if (chosen.isEmpty()) return false;
    files.clear();
    for (const QString& f : chosen) files.push_back(f.toStdString());
    filterIndex = static_cast<int>(filters.indexOf(dlg.selectedNameFilter())) + 1;
    return true;
}

bool RunColorDialog(TColor& color) {
    const TColor rgb = ColorToRGB(color);
    const QColor c = QColorDialog::getColor(QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
    if (!c.isValid()) return false;
    color = RGB(c.red(), c.green(), c.blue());
    return true;
}

bool RunFontDialog(TFont* font) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, font->QtFont());
    if (!ok) return false;
    font->SetName(f.family().toStdString());
    if (f.pointSize() > 0) font->SetSize(f.pointSize());
    TFontStyles s = 0;
    if (f.bold()) s |= fsBold;
    if (f.italic()) s |= fsItalic;
    if (f.underline()) s |= fsUnderline;
    if (f.strikeOut()) s |= fsStrikeOut;
    font->SetStyle(s);
    return true;
}

}  // namespace velmor_ws
