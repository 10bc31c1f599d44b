#include "sim/world.h"

namespace {

cObject* Base(std::variant<cBlock, cBrick, cExit, cBomb, cFixedBomb, cPlayer>& v) {
    return std::visit([](auto& o) -> cObject* { return &o; }, v);
}

size_t CountRecords(const LevelRecord* records) {
    size_t n = 0;
    while (static_cast<uint16_t>(records[n].type) != REC_END) ++n;
    return n;
}

}  // namespace

World::World(const World& other)
    : EditMode(other.EditMode),
      FuseBurning(other.FuseBurning),
      HamsterCount(other.HamsterCount),
      ExitMask(other.ExitMask),
      CompleteTimer(other.CompleteTimer),
      LevelComplete(other.LevelComplete),
      ParticlePool(other.ParticlePool),
      Sounds(other.Sounds),
      Rand(other.Rand),
      objects_(other.objects_),
      bombIndex_(other.bombIndex_) {
    BombPlaced = other.BombPlaced;
    Link(other);
}

// Onto a world of the same level this copies values into the objects that
// are there: nothing is allocated (the solver restores saved runs this way).
World& World::operator=(const World& other) {
    if (this == &other) return *this;
    objects_ = other.objects_;
    bombIndex_ = other.bombIndex_;
    BombPlaced = other.BombPlaced;
    EditMode = other.EditMode;
    FuseBurning = other.FuseBurning;
    HamsterCount = other.HamsterCount;
    ExitMask = other.ExitMask;
    CompleteTimer = other.CompleteTimer;
    LevelComplete = other.LevelComplete;
    ParticlePool = other.ParticlePool;
    Sounds = other.Sounds;
    Rand = other.Rand;
    Link(other);
    return *this;
}

void World::Link(const World& from) {
    ObjectList.resize(objects_.size());
    for (size_t i = 0; i < objects_.size(); ++i) ObjectList[i] = Base(objects_[i]);
    BombList.resize(bombIndex_.size());
    for (size_t b = 0; b < bombIndex_.size(); ++b)
        BombList[b] = static_cast<cBomb*>(ObjectList[static_cast<size_t>(bombIndex_[b])]);
    const int selected = from.SlotOf(from.SelectedBomb);
    SelectedBomb = selected >= 0 ? BombList[static_cast<size_t>(selected)] : nullptr;
}

int World::SlotOf(const cBomb* bomb) const {
    if (!bomb) return -1;
    for (size_t b = 0; b < BombList.size(); ++b)
        if (BombList[b] == bomb) return static_cast<int>(b);
    return -1;
}

void World::Clear() {
    objects_.clear();
    bombIndex_.clear();
    ObjectList.clear();
    BombList.clear();
    BombPlaced.clear();
    SelectedBomb = nullptr;
}

void World::ResetObjects() {
    for (cObject* o : ObjectList) o->Reset();
}

namespace {

void AddBox(std::vector<int32_t>& key, const Box& b) {
    key.insert(key.end(), {b.x, b.y, b.w, b.h});
}

template <class Bomb>
void AddBomb(std::vector<int32_t>& key, const Bomb& b) {
    key.insert(key.end(), {b.x.raw, b.y.raw, b.Count, b.Radius});
    AddBox(key, b.box);
}

}  // namespace

std::vector<int32_t> World::PlayKey() const {
    std::vector<int32_t> key{EditMode ? 1 : 0, CompleteTimer, LevelComplete ? 1 : 0};
    for (const ObjectValue& v : objects_) {
        key.push_back(static_cast<int32_t>(v.index()));
        if (const cPlayer* p = std::get_if<cPlayer>(&v)) {
            key.insert(key.end(), {p->x.raw, p->y.raw, p->Velocity.x.raw, p->Velocity.y.raw,
                                   (p->Resting ? 1 : 0) | (p->SoftLanding ? 2 : 0) | (p->Fast ? 4 : 0), p->ExitTime});
        } else if (const cBomb* b = std::get_if<cBomb>(&v)) {
            AddBomb(key, *b);
        } else if (const cFixedBomb* f = std::get_if<cFixedBomb>(&v)) {
            AddBomb(key, *f);
        } else {
            // Blocks, bricks (parked once broken) and exits: where they are.
            const cObject* o = std::visit([](const auto& x) -> const cObject* { return &x; }, v);
            key.insert(key.end(), {o->x.raw, o->y.raw});
            AddBox(key, o->box);
        }
    }
    return key;
}

void BuildLevel(World& w, const LevelRecord* records) {
    w.Clear();
    w.HamsterCount = 0;  // the count and the hamsters' Ids belong to the world built here
    // Room for every record first: the lists point into the storage.
    w.objects_.reserve(CountRecords(records));
    for (const LevelRecord* r = records;; ++r) {
        switch (static_cast<uint16_t>(r->type)) {
            case REC_END:
                w.ObjectList.reserve(w.objects_.size());
                for (auto& o : w.objects_) w.ObjectList.push_back(Base(o));
                for (int i : w.bombIndex_) w.BombList.push_back(static_cast<cBomb*>(w.ObjectList[static_cast<size_t>(i)]));
                w.BombPlaced.assign(w.BombList.size(), false);
                return;
            case REC_BLOCK:
                w.objects_.emplace_back(std::in_place_type<cBlock>, r->x, r->y);
                break;
            case REC_BRICK:
                w.objects_.emplace_back(std::in_place_type<cBrick>, r->x, r->y);
                break;
            case REC_HAMSTER:
                // Each hamster owns one bit of the 32-bit exit mask; any more
                // could never be counted home, so they are not built.
                if (w.HamsterCount >= kMaxHamsters) break;
                w.objects_.emplace_back(std::in_place_type<cPlayer>, r->x, r->y, w.HamsterCount);
                w.HamsterCount += 1;
                break;
            case REC_BOMB:
                w.bombIndex_.push_back(static_cast<int>(w.objects_.size()));
                w.objects_.emplace_back(std::in_place_type<cBomb>);
                break;
            case REC_FIXED_BOMB:
                w.objects_.emplace_back(std::in_place_type<cFixedBomb>, r->x, r->y, r->param);
                break;
            case REC_EXIT:
                w.objects_.emplace_back(std::in_place_type<cExit>, r->x, r->y, r->w, r->h);
                break;
            default:
                break;  // unknown types create nothing
        }
    }
}

uint32_t AllHamstersMask(const World& w) {
    if (w.HamsterCount <= 0) return 0;
    if (w.HamsterCount >= 32) return 0xFFFFFFFFu;
    return (1u << w.HamsterCount) - 1;
}
