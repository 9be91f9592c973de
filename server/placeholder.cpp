// Server sources go here.
namespace {
[[maybe_unused]] constexpr int kUnused = 0;
}
