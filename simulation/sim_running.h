#pragma once

namespace kovalin {

// The launcher's view: true while a sequence of simulation runs goes on. The
// sequence sets it when it starts and clears it when it ends; the launcher's
// confirmed Stop clears it too. No run reads it: each stops by its own flag
// (tRunControl), so the end of one sequence cannot stop another. Main thread only.
extern bool SimRunning;

}  // namespace kovalin
