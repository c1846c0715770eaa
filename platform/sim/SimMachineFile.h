// A simulated machine saved to text and read back, so that a program on the demo
// machine can keep its state between runs as a real machine keeps its registry.
//
// What is kept: the process facts (platform family, WOW64, files present), the
// services, device problems, what restarted devices started with (their effective
// polling interval), the disk's folders, files and links, and every
// device the machine knows, present ones in tree order (parent before children) and
// then the phantoms, with class, properties, interfaces and registry keys. What is
// not: open handles, the call log, faults and node numbers (a loaded machine numbers
// its nodes afresh, as Windows does after a reboot).
//
// The format, one item per line, blanks separating fields, the last field of a line
// running to its end (instance IDs and value names may hold blanks):
//
//   quorvin-sim-machine 1
//   platform-id 2
//   wow64 absent|no|yes|fails
//   file quorvin.inf
//   started 1 USB\VID_0E8F&PID_0021\5&3B1D2A0&0&2  (bInterval, or - for none)
//   disk-folder SY D:P(A;OICI;FA;;;SY) C:\PROGRAMDATA\QUORVIN SETUP   (owner, DACL or -)
//   disk-file BA - 51554F52 C:\PROGRAMDATA\QUORVIN SETUP\UNDO-JOURNAL.TXT  (content hex)
//   disk-link S-1-5-21-1 - 1 433A5C54 C:\PROGRAMDATA\X   (folder 0|1, target hex)
//   device USB\VID_0E8F&PID_0021\5&3B1D2A0&0&2
//   class {745A17A0-74D3-11D0-B6FE-00A0C90F57DA}
//   parent USB\ROOT_HUB30\4&2E7A3C1D&0&0        (absent for a root)
//   phantom                                      (absent for a present device)
//   interface {F18A0E88-C30C-11D0-8815-00A0C906BED8}
//   property 0x10 7 71756F7276696E0000           (code, type, data in hex)
//   key dev|drv                                  (the key exists; values follow)
//   value 4 03000000 bInterval                    (type, data in hex, name)
//
// Lines starting with '#' and empty lines are ignored; a device's lines run until
// the next "device" line. Anything else is an error naming the line.
#pragma once

#include <iosfwd>
#include <stdexcept>

#include "platform/sim/SimMachine.h"

namespace sim {

struct MachineFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void SaveMachine(Machine& machine, std::ostream& out);
// Fills an empty machine. Raises MachineFileError for text it cannot read.
void LoadMachine(Machine& machine, std::istream& in);

}  // namespace sim
