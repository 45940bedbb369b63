// Linked into every library of the system. Each library carries its own
// copy of the C++ runtime (linked statically), and that runtime's exception
// support takes an emergency pool of about 71 KB from the process heap when
// the library loads and never gives it back. A library loaded and freed
// again and again (an applet at every switch of the side bar) would leave
// one pool behind each time; this returns it when the library is unloaded.
namespace __gnu_cxx {
void __freeres() noexcept;
}

namespace {

struct RuntimePoolRelease {
    ~RuntimePoolRelease() { __gnu_cxx::__freeres(); }
} g_runtimePoolRelease;

}  // namespace
