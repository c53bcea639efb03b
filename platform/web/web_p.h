// State shared by the files of the browser twin.
#pragma once

namespace web {

// Whether the page has had a turn since the last present: a frame loop with
// no time to spare would otherwise never let the browser show a frame or
// take a key.
extern bool yielded;

}  // namespace web
