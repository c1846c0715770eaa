#include "cli/Help.h"

namespace cli {

namespace {

struct HelpEntry {
    const char* command;
    const char* text;
};

constexpr HelpEntry kHelp[] = {
    {"list",
     "usage: quorvin list [--all] [--mice] [--json]\n"
     "\n"
     "Lists the devices as the setup window's grid does: the present USB HID devices,\n"
     "with --mice only those with a mouse, with --all every present USB device but\n"
     "hubs. Each row shows the row number (a DEVICE for the other commands), the\n"
     "name, mouse, filter, rate, the questions that attaching the filter asks (which\n"
     "--force answers) and the instance ID.\n"},
    {"show",
     "usage: quorvin show DEVICE [--all] [--mice] [--all-matching] [--json]\n"
     "\n"
     "Everything about one device: names, instance ID, hardware IDs, parent, children,\n"
     "mouse, hub, filter, rate and the questions attaching the filter asks.\n"},
    {"set",
     "usage: quorvin set DEVICE [--filter on|off] [--rate RATE] [--parent] [--restart]\n"
     "                   [--confirm SECONDS] [--force] [--all-matching] [--all] [--mice]\n"
     "                   [--json]\n"
     "\n"
     "Attaches or detaches the filter and stores the polling rate, as the window's\n"
     "\"Filter On Device\" and rate list do. RATE is Default, 1000, 500, 250, 125, 62\n"
     "or 31 (polls per second). --parent acts on the device's parent, as \"Process\n"
     "Parent\" does. Attaching the filter to a USB hub, or to a device whose parent\n"
     "is no hub, needs --force (the window asks there). --restart restarts the device\n"
     "afterwards so that the change takes effect; with --confirm SECONDS it then waits\n"
     "that long for the device's own reports, and puts a device that sends none back\n"
     "as it was and restarts it again (exit code 5).\n"},
    {"restart",
     "usage: quorvin restart DEVICE [--parent] [--all-matching] [--all] [--mice] [--json]\n"
     "\n"
     "Restarts the device (or its parent), as the window's \"Restart\" button does.\n"},
    {"install",
     "usage: quorvin install [--json]\n"
     "\n"
     "Installs the driver service from quorvin.inf in the current folder, as the\n"
     "window's \"Install Service\" button does.\n"},
    {"export",
     "usage: quorvin export [FILE]\n"
     "\n"
     "Writes a profile of every device that carries the filter or a rate other than\n"
     "Default, to FILE or to standard output. Each device is keyed by its instance ID\n"
     "(the same device) and by its hardware ID with vendor and product ID (the same\n"
     "model on another machine). The format is plain text, described in\n"
     "docs/cli.md.\n"},
    {"apply",
     "usage: quorvin apply FILE [--restart [--confirm SECONDS]] [--force] [--json]\n"
     "\n"
     "Applies a profile (FILE, or - for standard input). Each entry applies to the\n"
     "device with its instance ID if this machine has it, otherwise to every device\n"
     "that carries its hardware ID. Reports per device what changed; with --restart\n"
     "restarts the devices that changed, and with --confirm SECONDS puts a device that\n"
     "then sends nothing back as it was (exit code 5, as for set). The whole profile is read and "
     "checked before\n"
     "anything is written.\n"},
    {"status",
     "usage: quorvin status [--json]\n"
     "\n"
     "Whether the filter can leave a device without its driver: the quorvin service\n"
     "(installed, running, its driver file present), every USB device whose lower\n"
     "filters name quorvin, present or not, with its state and problem code, and how\n"
     "many changes `undo` can take back.\n"
     "Exit code 0: nothing is broken. 4: a device carrying the filter does not\n"
     "start, or the driver is missing while a device carries the filter. 1: the\n"
     "status could not be read.\n"},
    {"undo",
     "usage: quorvin undo [--all] [--json]\n"
     "\n"
     "Takes back the newest change to a device's filter or rate that this program or\n"
     "the setup window made, as recorded in the undo journal; with --all every change,\n"
     "newest first (the window's \"Restore all changes\"). A setting is written back\n"
     "only while it still holds what was written; one that something else changed\n"
     "since is left alone and stays in the journal. Restart the devices afterwards.\n"
     "Exit code 1 when a change had to be left, or the journal cannot be used.\n"},
    {"measure",
     "usage: quorvin measure DEVICE [--seconds N] [--all] [--mice] [--json]\n"
     "\n"
     "Measures the polling rate the device delivers, as the window's measuring view\n"
     "does: move the mouse (or press keys on a keyboard) while it runs, N seconds\n"
     "(1 to 3600, default 5). Only the device's own reports count. Reports the count,\n"
     "the rate over the last second and over the whole run, the median interval and\n"
     "its spread; a device that sent nothing lately is \"idle\", and below 32 reports\n"
     "there is not enough data for figures. The stored rate's interval is shown\n"
     "beside them. On the demo machine the device is moved for the whole time.\n"},
};

}  // namespace

const char* ProgramHelp() {
    return "usage: quorvin COMMAND [options]      quorvin COMMAND --help\n"
           "\n"
           "Sets up the quorvin USB HID filter driver from the command line.\n"
           "\n"
           "commands:\n"
           "  list      the devices, as the setup window lists them\n"
           "  show      everything about one device\n"
           "  set       filter on or off, polling rate, optionally restart\n"
           "  restart   restart a device\n"
           "  install   install the driver service\n"
           "  export    write a profile of the filter and rate settings\n"
           "  apply     apply a profile\n"
           "  status    the driver and every device carrying the filter\n"
           "  undo      take back the last change (--all: every change)\n"
           "  measure   the polling rate a device delivers\n"
           "\n"
           "DEVICE is an instance ID (letter case ignored), a VID_xxxx&PID_xxxx pattern\n"
           "(several matches need --all-matching) or a row number from `list` (with the\n"
           "same --all/--mice).\n"
           "--json writes one JSON object (schema version 1, docs/cli.md).\n"
           "\n"
           "exit codes: 0 done, 1 failed, 2 bad usage (nothing changed),\n"
           "            3 done, but a reboot is needed, 4 (status) something is broken,\n"
           "            5 (--confirm) a device sent nothing and its change was taken back\n";
}

const char* CommandHelp(const std::string& command) {
    for (const HelpEntry& entry : kHelp) {
        if (command == entry.command) {
            return entry.text;
        }
    }
    return nullptr;
}

}  // namespace cli
