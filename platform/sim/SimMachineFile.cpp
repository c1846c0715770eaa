#include "platform/sim/SimMachineFile.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/SimDisk.h"
#include "platform/sim/SimInput.h"
#include "platform/sim/SimState.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimText.h"

namespace sim {

namespace {

constexpr const char* kHeader = "quorvin-sim-machine 1";

const char* Wow64Name(Wow64Mode mode) {
    switch (mode) {
        case Wow64Mode::NotWow64:
            return "no";
        case Wow64Mode::Wow64:
            return "yes";
        case Wow64Mode::CallFails:
            return "fails";
        case Wow64Mode::Absent:
            break;
    }
    return "absent";
}

void SaveKey(std::ostream& out, const char* name, const std::optional<RegKeyValues>& key) {
    if (!key) {
        return;
    }
    out << "key " << name << '\n';
    for (const auto& [valueName, value] : *key) {
        out << "value " << value.type << ' ' << HexBytes(value.data.data(), value.data.size())
            << ' ' << valueName << '\n';
    }
}

void SaveDevice(std::ostream& out, const Machine::State& s, const DeviceRecord& device) {
    out << "device " << device.instanceId << '\n';
    out << "class " << FormatGuid(device.classGuid) << '\n';
    if (device.present) {
        const DEVINST parent = s.At(device.node).parent;
        if (parent != 0) {
            out << "parent " << s.At(parent).device->instanceId << '\n';
        }
    } else {
        out << "phantom\n";
    }
    for (const GUID& guid : device.interfaces) {
        out << "interface " << FormatGuid(guid) << '\n';
    }
    for (const auto& [code, value] : device.properties) {
        out << "property " << HexNumber(code) << ' ' << value.type << ' '
            << HexBytes(value.data.data(), value.data.size()) << '\n';
    }
    SaveKey(out, "dev", device.hardwareKey);
    SaveKey(out, "drv", device.driverKey);
}

// An access list may be empty; "-" stands for it, as fields are never empty.
std::string DaclField(const std::string& dacl) {
    return dacl.empty() ? "-" : dacl;
}

void SaveDisk(std::ostream& out, const Disk& disk) {
    for (const auto& [path, entry] : disk.entries) {
        const std::string security = entry.owner + ' ' + DaclField(entry.dacl) + ' ';
        if (entry.linkTarget) {
            out << "disk-link " << security << (entry.folder ? 1 : 0) << ' '
                << HexBytes(entry.linkTarget->data(), entry.linkTarget->size()) << ' ' << path
                << '\n';
        } else if (entry.folder) {
            out << "disk-folder " << security << path << '\n';
        } else {
            // What reads see is kept: saving the machine is a clean shutdown.
            out << "disk-file " << security << HexBytes(entry.content.data(), entry.content.size())
                << ' ' << path << '\n';
        }
    }
}

// --- reading ---------------------------------------------------------------

// A device as its lines describe it, added to the machine at the next "device" line.
struct PendingDevice {
    DeviceSpec plan;
    std::string parent;
    std::vector<std::pair<DWORD, RegValue>> properties;
    std::optional<RegKeyValues>* currentKey = nullptr;
    int line = 0;  // of its "device" line, which errors found at the end name
};

class Reader {
  public:
    explicit Reader(Machine& machine) : machine_(machine) {}

    void Line(const std::string& text) {
        ++number_;
        if (number_ == 1) {
            if (text != kHeader) {
                Fail("not a simulated machine file (expected \"" + std::string(kHeader) + "\")");
            }
            return;
        }
        if (text.empty() || text[0] == '#') {
            return;
        }
        const std::size_t blank = text.find(' ');
        const std::string word = text.substr(0, blank);
        const std::string rest = blank == std::string::npos ? "" : text.substr(blank + 1);
        if (word == "device") {
            Flush();
            pending_.emplace();
            pending_->plan.instanceId = NonEmpty(rest);
            pending_->line = number_;
            return;
        }
        if (word == "platform-id") {
            machine_.platformId = static_cast<DWORD>(Number(rest, 10));
        } else if (word == "wow64") {
            machine_.wow64 = Wow64(rest);
        } else if (word == "file") {
            machine_.files.push_back(NonEmpty(rest));
        } else if (word == "service") {
            // service <name> <startable 0|1> <image path>
            std::string fields = rest;
            Service service;
            service.name = Field(fields);
            service.startable = Number(Field(fields), 10) != 0;
            service.imagePath = fields;
            machine_.system().services.push_back(service);
        } else if (word == "disk-folder" || word == "disk-file" || word == "disk-link") {
            DiskLine(word, rest);
        } else if (word == "started") {
            // started <bInterval or -> <instance ID>: what a restart left it with
            std::string fields = rest;
            const std::string interval = Field(fields);
            SetStartedWith(machine_, NonEmpty(fields),
                           interval == "-" ? std::nullopt
                                           : std::optional<std::uint32_t>(
                                                 static_cast<std::uint32_t>(Number(interval, 10))));
        } else if (word == "bus-name") {
            // bus-name <UTF-16LE hex> <instance ID>: the name the device reports on its bus
            std::string fields = rest;
            const std::string bytes = Hex(Field(fields));
            if (bytes.size() % 2 != 0) {
                Fail("odd number of UTF-16 bytes");
            }
            std::u16string name;
            for (std::size_t i = 0; i < bytes.size(); i += 2) {
                name += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              static_cast<unsigned char>(bytes[i + 1]) << 8);
            }
            SetBusReportedName(machine_, NonEmpty(fields), name);
        } else if (word == "silent") {
            // silent <collection ID>: sends nothing at a stored rate
            SetSilentAtStoredRate(machine_, NonEmpty(rest));
        } else if (word == "problem") {
            // problem <instance ID> <code>: a device that did not start
            std::string fields = rest;
            const std::string id = Field(fields);
            machine_.system().problems[id] = static_cast<ULONG>(Number(fields, 10));
        } else {
            DeviceLine(word, rest);
        }
    }

    void Finish() {
        if (number_ == 0) {
            Fail("empty file");
        }
        Flush();
    }

  private:
    [[noreturn]] void Fail(const std::string& why) const { FailAt(number_, why); }

    [[noreturn]] static void FailAt(int line, const std::string& why) {
        throw MachineFileError("machine file line " + std::to_string(line) + ": " + why);
    }

    std::string NonEmpty(const std::string& text) const {
        if (text.empty()) {
            Fail("missing value");
        }
        return text;
    }

    unsigned long Number(const std::string& text, int base) const {
        if (text.empty() || text.size() > 10) {
            Fail("bad number \"" + text + "\"");
        }
        std::size_t used = 0;
        unsigned long value = 0;
        try {
            value = std::stoul(text, &used, base);
        } catch (const std::exception&) {
            Fail("bad number \"" + text + "\"");
        }
        if (used != text.size() || text[0] == '-' || text[0] == '+') {
            Fail("bad number \"" + text + "\"");
        }
        return value;
    }

    Wow64Mode Wow64(const std::string& text) const {
        for (Wow64Mode mode :
             {Wow64Mode::Absent, Wow64Mode::NotWow64, Wow64Mode::Wow64, Wow64Mode::CallFails}) {
            if (text == Wow64Name(mode)) {
                return mode;
            }
        }
        Fail("bad wow64 mode \"" + text + "\"");
    }

    std::string Hex(const std::string& text) const {
        if (text.size() % 2 != 0) {
            Fail("odd number of hex digits");
        }
        std::string bytes;
        for (std::size_t i = 0; i < text.size(); i += 2) {
            bytes += static_cast<char>(Number(text.substr(i, 2), 16));
        }
        return bytes;
    }

    GUID Guid(const std::string& text) const {
        // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
        if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' ||
            text[14] != '-' || text[19] != '-' || text[24] != '-') {
            Fail("bad GUID \"" + text + "\"");
        }
        GUID guid{};
        guid.Data1 = static_cast<DWORD>(Number(text.substr(1, 8), 16));
        guid.Data2 = static_cast<WORD>(Number(text.substr(10, 4), 16));
        guid.Data3 = static_cast<WORD>(Number(text.substr(15, 4), 16));
        const std::string tail = text.substr(20, 4) + text.substr(25, 12);
        for (std::size_t i = 0; i < 8; ++i) {
            guid.Data4[i] = static_cast<BYTE>(Number(tail.substr(2 * i, 2), 16));
        }
        return guid;
    }

    // Splits off the first field: "a b c" gives "a" and leaves "b c".
    std::string Field(std::string& text) const {
        const std::size_t blank = text.find(' ');
        if (blank == std::string::npos) {
            Fail("missing field");
        }
        std::string field = text.substr(0, blank);
        text.erase(0, blank + 1);
        return field;
    }

    // disk-folder <owner> <dacl> <path>, disk-file <owner> <dacl> <hex content> <path>,
    // disk-link <owner> <dacl> <folder 0|1> <hex target> <path>.
    void DiskLine(const std::string& word, std::string rest) {
        DiskEntry entry;
        entry.owner = Field(rest);
        entry.dacl = Field(rest);
        if (entry.dacl == "-") {
            entry.dacl.clear();
        }
        if (word == "disk-link") {
            entry.folder = Number(Field(rest), 10) != 0;
            entry.linkTarget = Hex(Field(rest));
        } else if (word == "disk-folder") {
            entry.folder = true;
        } else {
            entry.content = Hex(Field(rest));
            entry.durable = entry.content;
        }
        machine_.disk().entries[Disk::KeyOf(NonEmpty(rest))] = std::move(entry);
    }

    void DeviceLine(const std::string& word, std::string rest) {
        if (!pending_) {
            Fail("\"" + word + "\" outside a device");
        }
        PendingDevice& d = *pending_;
        if (word == "class") {
            d.plan.classGuid = Guid(rest);
        } else if (word == "parent") {
            d.parent = NonEmpty(rest);
        } else if (word == "phantom" && rest.empty()) {
            d.plan.present = false;
        } else if (word == "interface") {
            d.plan.interfaces.push_back(Guid(rest));
        } else if (word == "property") {
            const auto code = static_cast<DWORD>(Number(Field(rest), 16));
            const auto type = static_cast<DWORD>(Number(Field(rest), 10));
            d.properties.emplace_back(code, RegValue{type, Hex(rest)});
        } else if (word == "key" && (rest == "dev" || rest == "drv")) {
            d.currentKey = rest == "dev" ? &d.plan.hardwareKey : &d.plan.driverKey;
            d.currentKey->emplace();
        } else if (word == "value") {
            if (d.currentKey == nullptr) {
                Fail("value outside a key");
            }
            const auto type = static_cast<DWORD>(Number(Field(rest), 10));
            const std::string data = Hex(Field(rest));
            (**d.currentKey)[rest] = RegValue{type, data};
        } else {
            Fail("unknown line \"" + word + "\"");
        }
    }

    void Flush() {
        if (!pending_) {
            return;
        }
        PendingDevice& d = *pending_;
        DEVINST parent = 0;
        if (!d.parent.empty()) {
            if (!d.plan.present) {
                FailAt(d.line, "a phantom has no parent: " + d.plan.instanceId);
            }
            parent = machine_.NodeOf(d.parent);
            if (parent == 0) {
                FailAt(d.line, "parent not listed before its child: " + d.parent);
            }
        }
        try {
            machine_.AddDevice(d.plan, parent);
        } catch (const std::logic_error& e) {
            FailAt(d.line, e.what());
        }
        for (const auto& [code, value] : d.properties) {
            machine_.SetProperty(d.plan.instanceId, code, value.type, value.data);
        }
        pending_.reset();
    }

    Machine& machine_;
    std::optional<PendingDevice> pending_;
    int number_ = 0;
};

}  // namespace

void SaveMachine(Machine& machine, std::ostream& out) {
    const Machine::State& s = machine.state();
    out << kHeader << '\n';
    out << "platform-id " << machine.platformId << '\n';
    out << "wow64 " << Wow64Name(machine.wow64) << '\n';
    for (const std::string& file : machine.files) {
        out << "file " << file << '\n';
    }
    for (const Service& service : machine.system().services) {
        out << "service " << service.name << ' ' << (service.startable ? 1 : 0) << ' '
            << service.imagePath << '\n';
    }
    for (const auto& [id, problem] : machine.system().problems) {
        if (problem != 0) {
            out << "problem " << id << ' ' << problem << '\n';
        }
    }
    for (const auto& [id, interval] : StartedWith(machine)) {
        out << "started " << (interval ? std::to_string(*interval) : "-") << ' ' << id << '\n';
    }
    for (const auto& [id, name] : BusReportedNames(machine)) {
        std::string bytes;
        for (const char16_t unit : name) {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
        out << "bus-name " << HexBytes(bytes.data(), bytes.size()) << ' ' << id << '\n';
    }
    for (const std::string& id : SilentAtStoredRate(machine)) {
        out << "silent " << id << '\n';
    }
    SaveDisk(out, machine.disk());
    s.WalkTree([&](DEVINST, const Node& node) { SaveDevice(out, s, *node.device); });
    // Phantoms have no place in the tree; they follow it in the listing order.
    for (const auto& [id, record] : s.devices) {
        if (!record->present) {
            SaveDevice(out, s, *record);
        }
    }
}

void LoadMachine(Machine& machine, std::istream& in) {
    Reader reader(machine);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        reader.Line(line);
    }
    reader.Finish();
}

}  // namespace sim
