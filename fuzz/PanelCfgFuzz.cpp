// The panel.cfg reader on any bytes, as they are and as the whole text a load reads: the gauge
// list and the alias are the plain rules'.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Mismatch.h"
#include "simfiles/PanelCfg.h"
#include "simfiles/WholeText.h"
#include "support/References.h"

namespace {

void check(std::string_view text) {
    using namespace qv::fuzz;
    require_equal(qv::gauge_entries(text), qv::test::plain_gauge_entries(text), "gauge list");
    require(qv::has_alias(text) == qv::test::plain_alias(text), "alias");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = qv::fuzz::bytes_of(data, size);
    check(bytes);
    check(qv::join_whole_text(bytes));
    return 0;
}
