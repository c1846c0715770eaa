#include "platform/sim/SimMachine.h"
namespace sim {
void BuildDemoMachine(Machine&) {}
}  // namespace sim
