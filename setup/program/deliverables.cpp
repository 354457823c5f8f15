#include "deliverable.h"

namespace tolven::setupprogram {

namespace {
const Deliverable kDeliverables[] = {
#include "deliverables.inc"
};
}  // namespace

std::span<const Deliverable> Deliverables() { return kDeliverables; }

}  // namespace tolven::setupprogram
