#include "design/designer.h"

#include <unistd.h>

#include <chrono>

#include "design/design_parts.h"
#include "game/assets.h"
#include "game/frame_io.h"
#include "game/keys.h"

namespace design {

namespace {

double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void SampleInput(Designer& d, FrameIo& io) {
    InputSample& in = d.in;
    in = InputSample{};
    io.Sample(in);
    in.pressed = in.buttons & ~d.prevButtons;
    in.released = d.prevButtons & ~in.buttons;
}

void EndFrameInput(Designer& d) {
    d.prevButtons = d.in.buttons;
    d.prevKeys = d.in.keys;
}

void UpdateCheck(Designer& d) {
    LevelCheck& c = d.check;
    if (c.revision == d.doc.Revision() && c.level == d.doc.Current()) return;
    c = LevelCheck{d.doc.Revision(), d.doc.Current(), CheckLevel(d.doc.Level().records, d.doc.Current()), 0, 0};
    for (const Finding& f : c.findings) (f.severity == Severity::Error ? c.errors : c.warnings) += 1;
}

void Autosave(Designer& d) {
    if (!d.doc.Dirty()) {
        d.pendingSince = -1;
        // Undone back to the saved file: a recovery of this session would
        // only bring back what was taken away.
        if (d.autosaveOnDisk) RemoveRecovery(d.files);
        d.autosaveOnDisk = false;
        return;
    }
    if (d.doc.Revision() == d.autosavedRevision) {
        d.pendingSince = -1;
        return;
    }
    const double now = d.clock();
    if (d.pendingSince < 0) d.pendingSince = now;
    if (now - d.pendingSince >= kAutosaveSeconds && !SaveRecovery(d)) d.pendingSince = now;  // tried again later
}

// F10 and the close button ask once when there is unsaved work; Ctrl-C and
// SIGTERM end at once. Either way the work is in the recovery file first.
bool Quitting(Designer& d, bool f10, FrameIo& io) {
    const bool close = io.CloseRequested();
    if (!f10 && !close) return false;
    const bool saved = SaveRecovery(d);
    if (io.QuitSignalled() || !d.doc.Dirty() || d.quitAsked) return true;
    io.ForgetCloseRequest();
    d.quitAsked = true;
    if (saved)
        d.Say("unsaved changes: F10 again to quit, they are kept in " + BarName(d.files.recovery));
    else
        d.Say("unsaved changes not kept (" + d.recoveryError + "): F10 again quits and loses the changes", true);
    return false;
}

}  // namespace

Designer::Designer(std::string file, OpenedDesign opened)
    : path(std::move(file)),
      doc(std::move(opened.levels)),
      message(opened.note),
      clock(SteadySeconds),
      files(std::move(opened.files)) {
    if (files.recovery.empty()) files.recovery = AutosavePath(path);  // opened other than by OpenDesign
    if (opened.recovered) {
        doc.MarkUnsaved();
        autosavedRevision = doc.Revision();
        autosaveOnDisk = true;
    } else if (opened.unsaved) {
        doc.MarkUnsaved();
    }
}

bool SaveRecovery(Designer& d) {
    if (!d.doc.Dirty() || d.doc.Revision() == d.autosavedRevision) return true;
    if (!WriteAutosave(d.files, d.path, d.doc, d.recoveryError)) {
        d.Say("recovery not written: " + d.recoveryError, true);
        return false;
    }
    d.recoveryError.clear();
    d.autosavedRevision = d.doc.Revision();
    d.autosaveOnDisk = true;
    d.pendingSince = -1;
    return true;
}

std::string LostWork(const Designer& d) {
    if (!d.doc.Dirty() || d.doc.Revision() == d.autosavedRevision) return "";
    return "unsaved changes lost: " + (d.recoveryError.empty() ? "the recovery file was not written" : d.recoveryError);
}

int BarTop(const Designer& d) { return kScreenHeight - (d.barShown ? kBarHeight : 0); }

bool KeyPressed(const Designer& d, int scancode) {
    return d.in.Key(scancode) && !d.prevKeys.test(static_cast<std::size_t>(scancode));
}

bool DesignFrame(Designer& d, const DesignPictures& pictures, FrameIo& io) {
    if (d.quit) return false;
    d.solves.Poll();
    if (d.startPlay) {
        d.startPlay = false;
        StartTestPlay(d);
    }
    if (d.playing) {
        const bool goOn = TestPlayFrame(d, pictures, io);
        d.in = d.shell.input;
        const bool f10 = KeyPressed(d, kKeyF10);
        EndFrameInput(d);
        if (!goOn) EndTestPlay(d, pictures, io);
        Autosave(d);
        d.quit = Quitting(d, f10, io);
        return !d.quit;
    }

    SampleInput(d, io);
    const uint64_t before = d.doc.Revision();
    const int level = d.doc.Current();
    HandleDesignInput(d);
    if (DesignDoc::Note note = d.doc.TakeNote(); !note.text.empty()) d.Say(std::move(note.text), note.refused);
    if (d.doc.Revision() != before) {
        d.quitAsked = false;
        // A search of a level that is no more is of no use.
        if (d.solves.Running()) d.solves.Cancel();
    }
    if (d.doc.Revision() != before || d.doc.Current() != level) d.playNote.clear();
    UpdateCheck(d);
    Autosave(d);
    d.quit = Quitting(d, KeyPressed(d, kKeyF10), io);
    DrawDesign(d, pictures);
    io.Present(pictures.game->backBuffer.get());
    EndFrameInput(d);
    return !d.quit;
}

}  // namespace design
