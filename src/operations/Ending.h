// How an operation ended, the same words for every operation: the windows choose their closing
// message by it, quorvane-cli its exit status.
#pragma once

namespace qv {

enum class Ending {
    nothing_to_do,  // nothing was chosen, or what was named is not there: nothing shown or done
    declined,       // the question was answered No
    completed,      // done whole
    left_over,      // done, but something could not be (a warning named it)
    stopped,        // nothing was done (a warning said why)
};

}  // namespace qv
