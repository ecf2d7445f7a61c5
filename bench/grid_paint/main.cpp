// Paints a shown grid (offscreen) whose cell holds one line of 1 or 4 MB
// of words made with a fixed seed, left-aligned, right-aligned, centred,
// with an ellipsis and word-wrapped, and the same grid with short texts
// only. Each long-line paint follows a change of the text, so it includes
// measuring the new line; repaints of an unchanged line are timed apart.
// The last line sums it up:
//   grid_paint short_text_paint_ms=... long_line_1MB_paint_ms=...
//     long_line_paint_ms=... long_line_repaint_ms=... left_ms=...
//     right_ms=... centred_ms=... ellipsis_ms=... wrapped_ms=...
// long_line_paint_ms is the slowest of the 4 MB cases (median of rounds).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/common/SideBySide.h"
#include "framework/controls/Application.h"
#include "framework/controls/Form.h"
#include "gridkit/grid/GkStringGrid.h"

namespace {

const char* const Words[] = {"metadata", "keywords", "description", "author", "web",     "page",
                             "robots",   "index",    "follow",      "rating", "general", "schema"};

String LongLine(size_t bytes, unsigned seed) {
    String s;
    s.reserve(bytes + 16);
    while (s.size() < bytes) {
        seed = seed * 1103515245u + 12345u;
        s += Words[(seed >> 16) % (sizeof Words / sizeof *Words)];
        s += ' ';
    }
    s.resize(bytes);
    return s;
}

struct Grid {
    Grid() {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 640, 400);
        grid = new TGkStringGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 620, 380);
        grid->SetColCount(5);
        grid->SetRowCount(12);
        grid->SetDefaultColWidth(110);
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 12; ++r) grid->SetCells(c, r, "cell " + std::to_string(c) + "," + std::to_string(r));
        grid->OnGetAlignment = [this](TObject*, int, int, TAlignment& a) { a = alignment; };
        form->Show();
        Application->ProcessMessages();
    }
    double PaintMs() {
        return bench::TimeOnce([&] { grid->Repaint(); }) * 1e3;
    }
    std::unique_ptr<TForm> form;
    TGkStringGrid* grid = nullptr;
    TAlignment alignment = taLeftJustify;
};

// Median over `rounds` of painting after the cell got a new line of `bytes`.
double FreshLinePaintMs(Grid& g, size_t bytes, int rounds, unsigned& seed) {
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        g.grid->SetCells(2, 3, LongLine(bytes, ++seed));
        ms.push_back(g.PaintMs());
    }
    return bench::Median(ms);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(nullptr);
    app.Initialize(argc, argv);
    Grid g;
    const int rounds = 7;
    unsigned seed = 1;

    std::vector<double> shortMs;
    g.PaintMs();  // warm-up
    for (int r = 0; r < rounds; ++r) shortMs.push_back(g.PaintMs());
    const double shortText = bench::Median(shortMs);

    FreshLinePaintMs(g, size_t{1} << 20, 1, seed);  // warm-up
    const double oneMB = FreshLinePaintMs(g, size_t{1} << 20, rounds, seed);
    const size_t four = size_t{4} << 20;
    const double left = FreshLinePaintMs(g, four, rounds, seed);
    std::vector<double> again;
    for (int r = 0; r < rounds; ++r) again.push_back(g.PaintMs());
    const double repaint = bench::Median(again);
    g.alignment = taRightJustify;
    const double right = FreshLinePaintMs(g, four, rounds, seed);
    g.alignment = taCenter;
    const double centred = FreshLinePaintMs(g, four, rounds, seed);
    g.alignment = taLeftJustify;
    g.grid->EnhTextSize = true;
    const double ellipsis = FreshLinePaintMs(g, four, rounds, seed);
    g.grid->EnhTextSize = false;
    g.grid->SetWordWrap(true);
    const double wrapped = FreshLinePaintMs(g, four, rounds, seed);
    g.grid->SetWordWrap(false);

    bench::Summary("grid_paint")
        .Add("short_text_paint_ms", shortText)
        .Add("long_line_1MB_paint_ms", oneMB)
        .Add("long_line_paint_ms", std::max({left, right, centred, ellipsis, wrapped}))
        .Add("long_line_repaint_ms", repaint)
        .Add("left_ms", left)
        .Add("right_ms", right)
        .Add("centred_ms", centred)
        .Add("ellipsis_ms", ellipsis)
        .Add("wrapped_ms", wrapped)
        .Print();
    return 0;
}
