#pragma once
// Whether the tests run under wine rather than on Windows or a POSIX system. Wine cannot create
// symbolic links or junctions (the call reports success and makes nothing), so tests that need
// them skip there instead of passing on a tree that lacks them.
namespace brixel::test {

bool RunningUnderWine();

}  // namespace brixel::test
