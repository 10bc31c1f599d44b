// The designer's frame on the fullest level it can hold on its grid, every
// cell a block, and while a selection of 500 is dragged; the solver on a
// level drawn in the designer.
#include <benchmark/benchmark.h>

#include <sstream>

#include "bench_support.h"
#include "design/designer.h"
#include "game/assets.h"
#include "game/frame_io.h"
#include "solve/solver.h"

namespace {

// The cursor sweeps the play-field, so every frame draws a new picture.
class SweepingCursor : public FrameIo {
public:
    void Sample(InputSample& s) override {
        frame_ = (frame_ + 7) % (kScreenWidth * 300);
        s.mouseX = frame_ % kScreenWidth;
        s.mouseY = (frame_ / kScreenWidth) % 300;
    }
    void Present(Picture*) override {}

private:
    int frame_ = 0;
};

Picture* Bar() {
    static BitmapHolder* bar = nullptr;
    if (!bar) {
        bar = new BitmapHolder;
        std::string error;
        if (!LoadDesignBar(*bar, error)) std::abort();
    }
    return bar->get();
}

design::OpenedDesign FullGrid() {
    PackLevel level = design::EmptyLevel("Full");
    level.records.pop_back();
    for (int y = 10; y < kScreenHeight; y += design::kCell)
        for (int x = 10; x < kScreenWidth; x += design::kCell) level.records.push_back({REC_BLOCK, int16_t(x), int16_t(y), 0, 0, 0, 0, 0});
    level.records.push_back(kEndRecord);
    design::OpenedDesign opened;
    opened.levels.push_back(level);
    return opened;
}

// arg 0: the level as it was; arg 1: a change every frame (an inventory bomb
// added or taken), so the world is built and the level checked again.
void BM_DesignFrameFullGrid(benchmark::State& state) {
    StartBenchHeadless();
    design::Designer d("/nonexistent/full.pak", FullGrid());
    SweepingCursor io;
    const design::DesignPictures pictures{&BenchBitmaps(), Bar()};
    bool add = true;
    for (auto _ : state) {
        if (state.range(0)) {
            add ? d.doc.Inventory(+1) : d.doc.Undo();
            add = !add;
        }
        design::DesignFrame(d, pictures, io);
    }
    state.counters["blocks"] = static_cast<double>(d.doc.Level().records.size() - 1);
    state.SetLabel(state.range(0) ? "a change every frame" : "cursor moving");
}
BENCHMARK(BM_DesignFrameFullGrid)->ArgName("changed")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A selection of 500 objects being dragged: blocks in a 25 x 20 patch, all
// selected with the select tool, the left button held on one of them and the
// mouse moving, so every frame outlines the 500 where they are and where
// they would go.
class DraggingMouse : public FrameIo {
public:
    void Sample(InputSample& s) override {
        frame_ += 1;
        s.buttons = kLeftButton;
        s.mouseX = 110 + frame_ % 200;  // pressed on the first frame at the patch's first block
        s.mouseY = 110 + frame_ % 150;
        if (frame_ == 1) s.mouseX = s.mouseY = 110;
    }
    void Present(Picture*) override {}

private:
    int frame_ = 0;
};

design::OpenedDesign Patch() {
    PackLevel level = design::EmptyLevel("Patch");
    level.records.pop_back();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 25; ++x)
            level.records.push_back({REC_BLOCK, int16_t(110 + 20 * x), int16_t(110 + 20 * y), 0, 0, 0, 0, 0});
    level.records.push_back(kEndRecord);
    design::OpenedDesign opened;
    opened.levels.push_back(level);
    return opened;
}

void BM_DesignFrameDraggingSelection(benchmark::State& state) {
    StartBenchHeadless();
    design::Designer d("/nonexistent/patch.pak", Patch());
    d.clipboard = design::Clipboard("");
    d.tool = design::Tool::Select;
    std::vector<int> all(500);
    for (int i = 0; i < 500; ++i) all[static_cast<std::size_t>(i)] = i;
    d.Select(all);
    DraggingMouse io;
    const design::DesignPictures pictures{&BenchBitmaps(), Bar()};
    design::DesignFrame(d, pictures, io);  // the press: the drag of the selection starts
    if (d.drag != design::Drag::MoveSelection) std::abort();
    for (auto _ : state) design::DesignFrame(d, pictures, io);
    state.counters["selected"] = static_cast<double>(d.selection.size());
}
BENCHMARK(BM_DesignFrameDraggingSelection)->Unit(benchmark::kMicrosecond);

// The pit the designer tests draw: a floor, two walls, a hamster, an exit
// and one bomb, made with the designer's own operations.
void BM_SolveDesignedPit(benchmark::State& state) {
    design::DesignDoc doc;
    doc.PaintLine(REC_BLOCK, 210, 370, 370, 370);
    doc.PaintLine(REC_BLOCK, 290, 270, 290, 350);
    doc.PaintLine(REC_BLOCK, 370, 350, 370, 270);
    doc.PlaceHamster(240, 348);
    doc.PlaceExit(300, 320, 359, 359);
    doc.Inventory(+1);
    SolveSettings settings;
    settings.shown = 1;
    SolveReport report;
    for (auto _ : state) {
        std::ostringstream ignored;
        report = Solve(doc.Level().records.data(), settings, ignored);
    }
    state.counters["first_solution_s"] = report.solutions.empty() ? -1 : report.solutions.front().seconds;
    state.counters["attempts"] = static_cast<double>(report.attempts);
    state.counters["exhausted"] = report.exhausted;
}
BENCHMARK(BM_SolveDesignedPit)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
