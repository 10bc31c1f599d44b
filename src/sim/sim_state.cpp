#include "sim/sim_state.h"

#include <cstdint>
#include <tuple>
#include <variant>
#include <vector>

#include "sim/world.h"
#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/frame_globals.h"
#include "sim/particles.h"
#include "sim/player.h"

namespace {

// The frame's plain globals and the particle ring. SelectedBomb points into
// the world, so it is kept with the world below.
auto PlainState() { return std::tie(EditMode, FuseBurning, HamsterCount, ExitMask, ParticlePool); }
using PlainValues = std::tuple<bool, bool, int, uint32_t, ParticleRing>;
static_assert(std::is_same_v<decltype(PlainValues(PlainState())), PlainValues>);

// One copy, made once: a reset copies it over the live state instead of
// building 45 KB of particle ring on the stack each time (the fuzzers and the
// solver reset for every input and every attempt).
const PlainValues& ProgramStartValues() {
    static const PlainValues values{true, false, 0, 0u, ParticleRing{}};
    return values;
}

// One object's value, whatever its class. The classes are plain values apart
// from their vtables, so a copy of the value is a copy of the object's state.
using ObjectValue = std::variant<cBlock, cBrick, cExit, cBomb, cFixedBomb, cPlayer>;

template <class T, class... More>
bool CopyAs(const cObject* o, std::vector<ObjectValue>& out) {
    if (const T* t = dynamic_cast<const T*>(o)) {
        out.emplace_back(*t);
        return true;
    }
    if constexpr (sizeof...(More) > 0) return CopyAs<More...>(o, out);
    return false;
}

bool SameClass(const cObject* o, const ObjectValue& v) {
    return std::visit([o](const auto& value) { return dynamic_cast<const std::remove_cvref_t<decltype(value)>*>(o) != nullptr; },
                      v);
}

}  // namespace

struct SimSnapshot::State {
    PlainValues plain = ProgramStartValues();
    std::vector<ObjectValue> objects;  // ObjectList order
    std::vector<int> bombIndex;        // per BombList entry, its place in ObjectList
    std::vector<bool> bombPlaced;
    int selected = -1;                 // SelectedBomb's place in BombList
};

void ResetSimulation() {
    static const LevelRecord kNoObjects[1] = {};
    BuildLevel(kNoObjects);  // frees the world and empties the lists
    ObjectList.shrink_to_fit();
    BombList.shrink_to_fit();
    BombPlaced.shrink_to_fit();
    SelectedBomb = nullptr;
    PlainState() = ProgramStartValues();
}

SimSnapshot::SimSnapshot() : state_(std::make_unique<State>()) {}
SimSnapshot::~SimSnapshot() = default;
SimSnapshot::SimSnapshot(const SimSnapshot& o) : state_(std::make_unique<State>(*o.state_)) {}
SimSnapshot& SimSnapshot::operator=(const SimSnapshot& o) {
    *state_ = *o.state_;
    return *this;
}
SimSnapshot::SimSnapshot(SimSnapshot&&) noexcept = default;
SimSnapshot& SimSnapshot::operator=(SimSnapshot&&) noexcept = default;

SimSnapshot SimSnapshot::Take() {
    SimSnapshot snapshot;
    State& s = *snapshot.state_;
    s.plain = PlainState();
    s.objects.reserve(ObjectList.size());
    for (const cObject* o : ObjectList) {
        // A world is taken whole or not at all; level end nulls the entries.
        if (!o || !CopyAs<cBlock, cBrick, cExit, cBomb, cFixedBomb, cPlayer>(o, s.objects)) {
            s.objects.clear();
            break;
        }
    }
    for (size_t b = 0; b < BombList.size(); ++b) {
        int index = -1;
        for (size_t i = 0; i < ObjectList.size(); ++i) {
            if (ObjectList[i] == BombList[b]) index = static_cast<int>(i);
        }
        s.bombIndex.push_back(index);
        if (BombList[b] == SelectedBomb) s.selected = static_cast<int>(b);
    }
    s.bombPlaced = BombPlaced;
    return snapshot;
}

bool SimSnapshot::Restore() const {
    const State& s = *state_;
    if (s.objects.size() != ObjectList.size() || s.bombIndex.size() != BombList.size()) return false;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        if (!ObjectList[i] || !SameClass(ObjectList[i], s.objects[i])) return false;
    }
    for (size_t b = 0; b < BombList.size(); ++b) {
        const int i = s.bombIndex[b];
        if (i < 0 || ObjectList[static_cast<size_t>(i)] != BombList[b]) return false;
    }
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        cObject* o = ObjectList[i];
        std::visit([o](const auto& value) { *static_cast<std::remove_cvref_t<decltype(value)>*>(o) = value; },
                   s.objects[i]);
    }
    BombPlaced = s.bombPlaced;
    SelectedBomb = s.selected >= 0 ? BombList[static_cast<size_t>(s.selected)] : nullptr;
    PlainState() = s.plain;
    return true;
}
