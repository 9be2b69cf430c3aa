// Loads arbitrary bytes as a world file. Every input must either load or fail
// with one of the loader's errors, leaving the world untouched; a world that
// loads must save and load back to the same world.
#include "platform/errors.h"
#include "worldfile/worldfile.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The input lives in a memory file reached by name, so no disk is touched.
struct MemoryFile {
    int fd = ::memfd_create("world", 0);
    std::string name = "/proc/self/fd/" + std::to_string(fd);
    void fill(const uint8_t* data, size_t size) {
        if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    }
};

// Saved worlds go to memory too where the system has a memory file system;
// the folder goes when the run ends.
struct SaveFolder {
    std::string path;
    SaveFolder() {
        char name[] = "/dev/shm/worldfile-fuzz-XXXXXX";
        if (!::mkdtemp(name)) {
            std::snprintf(name, sizeof name, "/tmp/worldfile-fuzz-XXXXXX");
            if (!::mkdtemp(name)) std::abort();
        }
        path = name;
    }
    ~SaveFolder() {
        ::unlink((path + "/world.wld").c_str());
        ::rmdir(path.c_str());
    }
    std::string file() const { return path + "/world.wld"; }
};

// What saving keeps of a loaded world: a terrain's frame list may be longer
// than its 16-bit frame count says, and only that many frames are saved;
// catalogue items and resources are saved with their positions as rows.
TWorld as_saved(TWorld w) {
    for (auto& t : w.terrains) t.frames.resize(t.frame_count);
    for (std::size_t i = 0; i < w.pitems.size(); ++i) w.pitems[i].row = static_cast<int32_t>(i);
    for (std::size_t i = 0; i < w.presources.size(); ++i) w.presources[i].row = static_cast<int32_t>(i);
    return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MemoryFile input;
    static const SaveFolder folder;
    const std::string saved = folder.file();
    input.fill(data, size);

    TWorld world;
    world.player.npc = -1;
    world.terrains.resize(2);
    world.strings = {"kept"};
    const TWorld before = world;
    try {
        load_world(input.name, world);
    } catch (const InOutError& e) {
        if (e.code() != InOutError::read_beyond_end) std::abort();
        if (!(world == before)) std::abort();
        return 0;
    } catch (const RangeError&) {
        if (!(world == before)) std::abort();
        return 0;
    } catch (const OutOfMemoryError&) {
        if (!(world == before)) std::abort();
        return 0;
    }

    save_world(saved, true, world);
    TWorld again = before;
    load_world(saved, again);
    if (!(as_saved(again) == as_saved(world))) std::abort();
    return 0;
}
