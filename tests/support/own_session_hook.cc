// Linked into each suite whose modules answer through pseudo-terminals:
// the suite leads its own session before any test runs (see own_session.h).
#include "tests/support/own_session.h"

namespace {
[[maybe_unused]] const bool kOwnSession = vrx::test::LeadOwnSessionUnlessStartedByHand();
}  // namespace
