// Assertions about the device and configuration layers that must hold on every
// platform. The native suite runs them on the simulated machine; the Windows suite
// runs the same source under Wine against the real SetupAPI and registry, so the
// simulation cannot drift from a real implementation unnoticed.
#include <algorithm>
#include <cctype>
#include <iterator>
#include <stdexcept>
#include <string>

#include "config/LowerFilters.h"
#include "config/PlatformFamily.h"
#include "config/Rate.h"
#include "config/RegKey.h"
#include "restart/Restart.h"
#include "device/DevInfo.h"
#include "device/DevInfoSetHandle.h"
#include "device/DeviceList.h"
#include "device/Errors.h"
#include "platform/Platform.h"
#include "tests/DeviceBed.h"

using namespace std::string_literals;

namespace {

const std::string kMouseId = "USB\\VID_1A2B&PID_0001&MI_00\\7&1F2E3D4C&0&0000";
const std::string kPadId = "USB\\VID_1A2B&PID_0002\\6&2B3C4D5E&0&2";
const std::string kMouseClassId = "USB\\VID_1A2B&PID_0003\\6&2B3C4D5E&0&3";
const std::string kHidBusId = "HID\\VID_1A2B&PID_0004\\8&3C4D5E6F&0&0000";
const std::string kHubLikeId = "USB\\VID_1A2B&PID_0005\\6&2B3C4D5E&0&5";

BedDevice HidDevice(const std::string& id, const std::string& description) {
    BedDevice device;
    device.instanceId = id;
    device.classGuid = device::guids::GUID_DEVCLASS_HIDCLASS;
    device.description = description;
    device.hardwareIds = {id.substr(0, id.rfind('\\'))};
    return device;
}

BedValue MultiString(const std::string& bytes) {
    return {REG_MULTI_SZ, bytes};
}

BedValue Dword(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return {REG_DWORD, bytes};
}

std::vector<std::string> InstanceIds(const device::TDeviceList& list) {
    std::vector<std::string> ids;
    for (int i = 0; i < list.Count(); ++i) {
        ids.push_back(list.GetDevice(i).GetInstanceId());
    }
    return ids;
}

// The instance IDs of a set's elements, in the set's order.
std::vector<std::string> Members(HDEVINFO set) {
    std::vector<std::string> ids;
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof element;
    for (DWORD i = 0; plat::SetupDiEnumDeviceInfo(set, i, &element); ++i) {
        char id[256] = {};
        if (!plat::SetupDiGetDeviceInstanceIdA(set, &element, id, sizeof id, nullptr)) {
            ids.push_back("<unreadable>");
        } else {
            ids.emplace_back(id);
        }
    }
    return ids;
}

// A class query of the HID class below an enumerator, present devices only.
device::DevInfoSetHandle HidDevicesBelow(const char* enumerator) {
    return device::DevInfoSetHandle(plat::SetupDiGetClassDevsA(
        &device::guids::GUID_DEVCLASS_HIDCLASS, enumerator, nullptr, DIGCF_PRESENT));
}

// A device opened alone into a set of any class; the element is valid on success.
struct Opened {
    device::DevInfoSetHandle set;
    SP_DEVINFO_DATA element{};
};
Opened OpenAlone(const std::string& id) {
    Opened opened{device::DevInfoSetHandle(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr)),
                  {}};
    opened.element.cbSize = sizeof opened.element;
    if (!plat::SetupDiOpenDeviceInfoA(opened.set.get(), id.c_str(), nullptr, 0, &opened.element)) {
        throw std::runtime_error("cannot open " + id);
    }
    return opened;
}

// The last-error code a failed call left, read at once.
DWORD FailureCode(BOOL result) {
    return result ? ERROR_SUCCESS : plat::GetLastError();
}

// The listed device with this instance ID; the list must hold it.
device::TDevice& Find(const device::TDeviceList& list, const std::string& id) {
    for (int i = 0; i < list.Count(); ++i) {
        if (list.GetDevice(i).GetInstanceId() == id) {
            return list.GetDevice(i);
        }
    }
    throw std::runtime_error("not listed: " + id);
}

}  // namespace

// --- the device list ---------------------------------------------------------

TEST_P(SeamAgreement, ListsPresentUsbHidDevicesWithTheirProperties) {
    BedDevice mouse = HidDevice(kMouseId, "Gaming Mouse");
    mouse.hardwareIds = {"USB\\VID_1A2B&PID_0001&REV_0200&MI_00", "USB\\VID_1A2B&PID_0001&MI_00"};
    bed->Add(mouse);
    BedDevice pad = HidDevice(kPadId, "");
    pad.description.reset();
    bed->Add(pad);
    BedDevice mouseClass = HidDevice(kMouseClassId, "HID-compliant mouse");
    mouseClass.classGuid = device::guids::GUID_DEVCLASS_MOUSE;
    bed->Add(mouseClass);
    bed->Add(HidDevice(kHidBusId, "Not on the USB bus"));

    device::TDeviceList list(false, false);
    EXPECT_EQ(InstanceIds(list), (std::vector<std::string>{kMouseId, kPadId}));
    device::TDevice& first = list.GetDevice(0);
    EXPECT_EQ(first.GetDescription(), "Gaming Mouse");
    EXPECT_EQ(first.GetHardwareIds(),
              "USB\\VID_1A2B&PID_0001&REV_0200&MI_00\0USB\\VID_1A2B&PID_0001&MI_00\0"s);
    EXPECT_EQ(list.GetDevice(1).GetDescription(), "");
    try {
        list.GetDevice(2);
        ADD_FAILURE() << "GetDevice past the end did not raise";
    } catch (const device::EDeviceError& error) {
        EXPECT_STREQ(error.what(), "TDeviceList.GetDevice(2) from 2");
    }

    device::TDeviceList all(false, true);
    EXPECT_EQ(InstanceIds(all), (std::vector<std::string>{kMouseId, kPadId, kMouseClassId}));
    EXPECT_EQ(Find(all, kMouseClassId).GetDescription(), "HID-compliant mouse");

    // Without child devices nothing qualifies as a mouse.
    EXPECT_EQ(device::TDeviceList(true, false).Count(), 0);
}

TEST_P(SeamAgreement, OnlyTheAllDevicesModeLeavesOutHubs) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    BedDevice hubLike = HidDevice(kHubLikeId, "HID device with a hub interface");
    hubLike.hubInterface = true;
    bed->Add(hubLike);

    EXPECT_EQ(InstanceIds(device::TDeviceList(false, false)),
              (std::vector<std::string>{kMouseId, kHubLikeId}));
    EXPECT_EQ(InstanceIds(device::TDeviceList(false, true)), std::vector<std::string>{kMouseId});
    // The all-devices mode ignores "Mice Only".
    EXPECT_EQ(InstanceIds(device::TDeviceList(true, true)), std::vector<std::string>{kMouseId});
}

TEST_P(SeamAgreement, MissingRelativesAreSilent) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    bed->Add(HidDevice(kPadId, "Pad"));
    device::TDeviceList list(false, false);
    device::TDevice& device = list.GetDevice(1);

    EXPECT_EQ(device.GetParentDevInst(), 0u);
    device::TDevInstArray children;
    device.GetChildDevInsts(children);
    EXPECT_TRUE(children.empty());
    EXPECT_EQ(device.GetChildNames(), "");
    EXPECT_FALSE(device.IsMouseParent());
    EXPECT_FALSE(device.IsHub());
    // Node 0 is never asked about, so a platform that answers for it anyway cannot
    // lend a parentless device an unrelated parent.
    EXPECT_EQ(device.GetParentName(), "");
    try {
        device.GetParentDevice();
        ADD_FAILURE() << "GetParentDevice without a parent did not raise";
    } catch (const device::EDeviceError& error) {
        EXPECT_STREQ(error.what(), "GetParentDevice.GetDevInfoByDevInst");
    }
}

// --- the lower-filter list ---------------------------------------------------

TEST_P(SeamAgreement, AttachAndDetachTheFilter) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    config::InitPlatformFamily();
    device::TDeviceList list(false, false);
    device::TDevice& device = list.GetDevice(0);

    EXPECT_FALSE(config::HasFilter(device));
    config::SetFilter(device, false);
    EXPECT_EQ(bed->LowerFilters(kMouseId), std::nullopt);

    config::SetFilter(device, true);
    EXPECT_EQ(bed->LowerFilters(kMouseId), MultiString("quorvin\0\0"s));
    EXPECT_TRUE(config::HasFilter(device));
    config::SetFilter(device, true);
    EXPECT_EQ(bed->LowerFilters(kMouseId), MultiString("quorvin\0\0"s));

    config::SetFilter(device, false);
    EXPECT_FALSE(config::HasFilter(device));
    const auto removed = bed->Has(Quirk::EmptyLowerFiltersKept)
                             ? std::optional<BedValue>(MultiString(""))
                             : std::nullopt;
    EXPECT_EQ(bed->LowerFilters(kMouseId), removed);
    EXPECT_TRUE(config::ReadLowerFilters(device).empty());
}

TEST_P(SeamAgreement, FilterEditsKeepTheOtherEntries) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    bed->SetLowerFilters(kMouseId, MultiString("QuorVin\0other\0quorvin\0\0"s));
    config::InitPlatformFamily();
    device::TDeviceList list(false, false);
    device::TDevice& device = list.GetDevice(0);

    EXPECT_EQ(config::ReadLowerFilters(device),
              (config::TLowerFilterList{"QuorVin", "other", "quorvin"}));
    EXPECT_TRUE(config::HasFilter(device));
    config::SetFilter(device, true);
    EXPECT_EQ(bed->LowerFilters(kMouseId), MultiString("QuorVin\0other\0quorvin\0\0"s));

    config::SetFilter(device, false);
    EXPECT_EQ(bed->LowerFilters(kMouseId), MultiString("other\0\0"s));
    config::SetFilter(device, true);
    EXPECT_EQ(bed->LowerFilters(kMouseId), MultiString("quorvin\0other\0\0"s));
}

TEST_P(SeamAgreement, FilterListsBeyondTheReadBufferAreNotOverwritten) {
    // An entry long enough that the list, with the filter last, fills the 1024-byte
    // buffer exactly, and a second device whose list is one byte longer: the
    // platform must report its size so that no edit loses what it could not read.
    const std::string fits = std::string(1014, 'f') + "\0quorvin\0\0"s;
    const std::string tooLong = std::string(1015, 'g') + "\0quorvin\0\0"s;
    ASSERT_EQ(fits.size(), config::kLowerFiltersReadBuffer);
    bed->Add(HidDevice(kMouseId, "fits"));
    bed->Add(HidDevice(kPadId, "too long"));
    bed->SetLowerFilters(kMouseId, MultiString(fits));
    bed->SetLowerFilters(kPadId, MultiString(tooLong));
    config::InitPlatformFamily();
    device::TDeviceList list(false, false);

    EXPECT_TRUE(config::HasFilter(Find(list, kMouseId)));
    device::TDevice& pad = Find(list, kPadId);
    for (const bool on : {true, false}) {
        config::SetFilter(pad, on);
        const auto stored = bed->LowerFilters(kPadId);
        ASSERT_TRUE(stored);
        EXPECT_NE(stored->bytes.find(std::string(1015, 'g')), std::string::npos)
            << "the long list lost its entry when the filter was set " << (on ? "on" : "off");
    }
}

// --- the polling rate ------------------------------------------------------------

TEST_P(SeamAgreement, EveryRateIsStoredAsItsInterval) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    device::TDeviceList list(false, false);
    device::TDevice& device = list.GetDevice(0);

    for (std::uint32_t index = config::kRateCount; index-- > 0;) {
        config::WriteRateIndex(device, index);
        const auto expected =
            index == 0 ? std::nullopt : std::optional<BedValue>(Dword(config::RateTable[index]));
        EXPECT_EQ(bed->DriverValue(kMouseId, "bInterval"), expected) << "index " << index;
        EXPECT_EQ(config::ReadRateIndex(device), static_cast<int>(index));
    }
    config::WriteRateIndex(device, 7);
    EXPECT_EQ(bed->DriverValue(kMouseId, "bInterval"), Dword(32));
    config::WriteRateIndex(device, static_cast<std::uint32_t>(-1));
    EXPECT_EQ(config::ReadRateIndex(device), 6);
}

TEST_P(SeamAgreement, StoredIntervalsOutsideTheTable) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    device::TDeviceList list(false, false);
    device::TDevice& device = list.GetDevice(0);

    const struct {
        BedValue stored;
        int index;
    } cases[] = {
        {Dword(0), 0},
        {Dword(3), 3},
        {Dword(33), 6},
        {Dword(0xFFFFFFFF), 6},
        {{REG_BINARY, "\x08\0\0\0"s}, 4},
        {{REG_SZ, "2\0"s}, 0},
        {{REG_BINARY, "\x01\0\0\0\0"s}, 0},
    };
    for (const auto& c : cases) {
        bed->SetDriverValue(kMouseId, "bInterval", c.stored);
        EXPECT_EQ(config::ReadRateIndex(device), c.index) << "type " << c.stored.type;
        EXPECT_EQ(bed->DriverValue(kMouseId, "bInterval"), c.stored) << "reading changed it";
    }
}

TEST_P(SeamAgreement, DeviceWithoutDriverKey) {
    BedDevice device = HidDevice(kMouseId, "No driver");
    device.driverKey = false;
    bed->Add(device);
    device::TDeviceList list(false, false);

    EXPECT_EQ(config::ReadRateIndex(list.GetDevice(0)), 0);
    config::WriteRateIndex(list.GetDevice(0), 3);
    EXPECT_FALSE(bed->HasDriverKey(kMouseId));
}

// --- restart ---------------------------------------------------------------------

TEST_P(SeamAgreement, RestartIsSilentAndKeepsTheConfiguration) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    config::InitPlatformFamily();
    {
        device::TDeviceList list(false, false);
        config::SetFilter(list.GetDevice(0), true);
        config::WriteRateIndex(list.GetDevice(0), 2);
        EXPECT_FALSE(restart::IsWow64());
        EXPECT_NO_THROW(restart::RestartDevice(list.GetDevice(0)));
    }
    device::TDeviceList list(false, false);
    EXPECT_NO_THROW(restart::RequestDeviceRestart(list.GetDevice(0), nullptr));

    device::TDeviceList after(false, false);
    ASSERT_EQ(InstanceIds(after), std::vector<std::string>{kMouseId});
    EXPECT_TRUE(config::HasFilter(after.GetDevice(0)));
    EXPECT_EQ(config::ReadRateIndex(after.GetDevice(0)), 2);
}

// --- what the platform does, asked directly, grouped by call -------------------

const std::string kFooId = "USB\\VID_1A2B&PID_0010\\FOO";
const std::string kQuxId = "USB\\VID_1A2B&PID_0010\\QUX";
const std::string kBarId = "USB\\VID_1A2B&PID_0010\\BAR";
const std::string kOtherPidId = "USB\\VID_1A2B&PID_0011\\ABC";

// SetupDiGetClassDevsA

TEST_P(SeamAgreement, ClassDevsListsInTheSortedOrderOfTheInstanceIds) {
    for (const std::string& id : {kFooId, kQuxId, kBarId}) {
        bed->Add(HidDevice(id, "arrived in the order FOO, QUX, BAR"));
    }
    EXPECT_EQ(Members(HidDevicesBelow("USB").get()),
              (std::vector<std::string>{kBarId, kFooId, kQuxId}));
    EXPECT_EQ(InstanceIds(device::TDeviceList(false, false)),
              (std::vector<std::string>{kBarId, kFooId, kQuxId}));
}

TEST_P(SeamAgreement, ClassDevsEnumeratorOfTwoPartsListsEveryInstanceBelowIt) {
    for (const std::string& id : {kFooId, kBarId, kOtherPidId}) {
        bed->Add(HidDevice(id, "USB Input Device"));
    }
    EXPECT_EQ(Members(HidDevicesBelow("USB\\VID_1A2B&PID_0010").get()),
              (std::vector<std::string>{kBarId, kFooId}));
    const auto named = bed->Has(Quirk::WholeIdEnumeratorListsNothing)
                           ? std::vector<std::string>{}
                           : std::vector<std::string>{kFooId};
    EXPECT_EQ(Members(HidDevicesBelow(kFooId.c_str()).get()), named);
}

TEST_P(SeamAgreement, ClassDevsAsksInterfacesOfOneDeviceOnly) {
    BedDevice hubLike = HidDevice(kHubLikeId, "HID device with a hub interface");
    hubLike.hubInterface = true;
    bed->Add(hubLike);
    const DWORD flags = DIGCF_PRESENT | DIGCF_DEVICEINTERFACE;
    for (const char* bus : {"USB", "USB\\VID_1A2B&PID_0005"}) {
        plat::SetLastError(ERROR_SUCCESS);
        const device::DevInfoSetHandle set(plat::SetupDiGetClassDevsA(
            &device::guids::GUID_DEVINTERFACE_USB_HUB, bus, nullptr, flags));
        if (bed->Has(Quirk::InterfaceQueryTakesAnyEnumerator)) {
            EXPECT_TRUE(set.valid()) << bus;
            continue;
        }
        EXPECT_FALSE(set.valid()) << bus;
        EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << bus;
    }
    const device::DevInfoSetHandle one(plat::SetupDiGetClassDevsA(
        &device::guids::GUID_DEVINTERFACE_USB_HUB, kHubLikeId.c_str(), nullptr, flags));
    EXPECT_EQ(Members(one.get()), std::vector<std::string>{kHubLikeId});
}

// SetupDiEnumDeviceInfo

TEST_P(SeamAgreement, EnumDeviceInfoFailsWithTheCodeOfItsCause) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    const device::DevInfoSetHandle set = HidDevicesBelow("USB");
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof element;
    ASSERT_TRUE(plat::SetupDiEnumDeviceInfo(set.get(), 0, &element));
    EXPECT_EQ(FailureCode(plat::SetupDiEnumDeviceInfo(set.get(), 1, &element)),
              static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
    element.cbSize = sizeof element + 1;
    EXPECT_EQ(FailureCode(plat::SetupDiEnumDeviceInfo(set.get(), 0, &element)),
              static_cast<DWORD>(ERROR_INVALID_USER_BUFFER));
    element.cbSize = sizeof element;
    EXPECT_EQ(FailureCode(plat::SetupDiEnumDeviceInfo(INVALID_HANDLE_VALUE, 0, &element)),
              static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// SetupDiOpenDeviceInfoA

TEST_P(SeamAgreement, OpenDeviceInfoFindsADeviceInAnyCaseOnceAndOfItsClass) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    const device::DevInfoSetHandle any(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA first{};
    first.cbSize = sizeof first;
    std::string lower = kMouseId;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    ASSERT_TRUE(plat::SetupDiOpenDeviceInfoA(any.get(), lower.c_str(), nullptr, 0, &first));
    SP_DEVINFO_DATA again{};
    again.cbSize = sizeof again;
    ASSERT_TRUE(plat::SetupDiOpenDeviceInfoA(any.get(), kMouseId.c_str(), nullptr, 0, &again));
    EXPECT_EQ(again.DevInst, first.DevInst);
    EXPECT_EQ(again.Reserved, first.Reserved);
    EXPECT_EQ(Members(any.get()), std::vector<std::string>{kMouseId});

    EXPECT_EQ(FailureCode(plat::SetupDiOpenDeviceInfoA(any.get(), "USB\\VID_1A2B&PID_7777\\NONE",
                                                       nullptr, 0, &again)),
              static_cast<DWORD>(ERROR_NO_SUCH_DEVINST));
    const device::DevInfoSetHandle mice(
        plat::SetupDiCreateDeviceInfoList(&device::guids::GUID_DEVCLASS_MOUSE, nullptr));
    EXPECT_EQ(
        FailureCode(plat::SetupDiOpenDeviceInfoA(mice.get(), kMouseId.c_str(), nullptr, 0, &again)),
        static_cast<DWORD>(ERROR_CLASS_MISMATCH));
}

TEST_P(SeamAgreement, OpenDeviceInfoWithAWrongRecordSizeFailsYetAddsTheDevice) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    const device::DevInfoSetHandle set(plat::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA element{};
    element.cbSize = sizeof element - 1;
    EXPECT_EQ(FailureCode(
                  plat::SetupDiOpenDeviceInfoA(set.get(), kMouseId.c_str(), nullptr, 0, &element)),
              static_cast<DWORD>(ERROR_INVALID_USER_BUFFER));
    EXPECT_EQ(Members(set.get()), std::vector<std::string>{kMouseId});
}

// SetupDiGetDeviceRegistryPropertyA and SetupDiGetDeviceInstanceIdA

TEST_P(SeamAgreement, PropertyReadsReportAbsenceAndShortBuffers) {
    BedDevice bare = HidDevice(kMouseId, "");
    bare.description.reset();
    bare.hardwareIds.clear();
    bed->Add(bare);
    Opened opened = OpenAlone(kMouseId);
    char buffer[256] = {};
    for (const DWORD property : {SPDRP_DEVICEDESC, SPDRP_HARDWAREID, SPDRP_LOWERFILTERS}) {
        DWORD required = 0;
        EXPECT_EQ(FailureCode(plat::SetupDiGetDeviceRegistryPropertyA(
                      opened.set.get(), &opened.element, property, nullptr,
                      reinterpret_cast<PBYTE>(buffer), sizeof buffer, &required)),
                  static_cast<DWORD>(ERROR_INVALID_DATA))
            << "property " << property;
    }

    bed->SetLowerFilters(kMouseId, MultiString("other\0\0"s));
    DWORD required = 0;
    EXPECT_EQ(FailureCode(plat::SetupDiGetDeviceRegistryPropertyA(
                  opened.set.get(), &opened.element, SPDRP_LOWERFILTERS, nullptr,
                  reinterpret_cast<PBYTE>(buffer), 4, &required)),
              static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(required, 7u);
    required = 0;
    EXPECT_EQ(FailureCode(plat::SetupDiGetDeviceInstanceIdA(opened.set.get(), &opened.element,
                                                            buffer, 4, &required)),
              static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(required, kMouseId.size() + 1);
}

// SetupDiSetDeviceRegistryPropertyA

TEST_P(SeamAgreement, RemovingAPropertyTheDeviceLacksFails) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    Opened opened = OpenAlone(kMouseId);
    const bool removed =
        plat::SetupDiSetDeviceRegistryPropertyA(opened.set.get(), &opened.element,
                                                SPDRP_LOWERFILTERS, nullptr, 0) != 0;
    const bool kept = bed->Has(Quirk::EmptyLowerFiltersKept);
    EXPECT_EQ(removed, kept);
    EXPECT_EQ(bed->LowerFilters(kMouseId),
              kept ? std::optional<BedValue>(MultiString("")) : std::nullopt);
}

// SetupDiOpenDevRegKey

TEST_P(SeamAgreement, OpenDevRegKeyRefusesAMissingKeyAndNoAccess) {
    BedDevice noDriver = HidDevice(kMouseId, "No driver");
    noDriver.driverKey = false;
    bed->Add(noDriver);
    bed->Add(HidDevice(kPadId, "Pad"));
    Opened bare = OpenAlone(kMouseId);
    const HKEY missing = plat::SetupDiOpenDevRegKey(bare.set.get(), &bare.element, DICS_FLAG_GLOBAL,
                                                    0, DIREG_DRV, KEY_READ);
    EXPECT_EQ(missing, static_cast<HKEY>(INVALID_HANDLE_VALUE));
    EXPECT_EQ(plat::GetLastError(), static_cast<DWORD>(ERROR_KEY_DOES_NOT_EXIST));
    EXPECT_FALSE(bed->HasDriverKey(kMouseId)) << "opening created the key";

    Opened pad = OpenAlone(kPadId);
    const config::RegKey none(
        plat::SetupDiOpenDevRegKey(pad.set.get(), &pad.element, DICS_FLAG_GLOBAL, 0, DIREG_DRV, 0));
    EXPECT_EQ(none.valid(), bed->Has(Quirk::KeyOpensWithoutAccess));
}

// RegQueryValueExA and RegSetValueExA

TEST_P(SeamAgreement, QueryOfAMissingValueReportsNoBytes) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    Opened opened = OpenAlone(kMouseId);
    const config::RegKey key(plat::SetupDiOpenDevRegKey(opened.set.get(), &opened.element,
                                                        DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ));
    ASSERT_TRUE(key.valid());
    DWORD size = 1234;
    EXPECT_EQ(plat::RegQueryValueExA(key.get(), "NoSuchValue", nullptr, nullptr, nullptr, &size),
              static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(size, 0u);
}

TEST_P(SeamAgreement, StringValuesGainTheirTerminator) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    Opened opened = OpenAlone(kMouseId);
    const config::RegKey key(plat::SetupDiOpenDevRegKey(
        opened.set.get(), &opened.element, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_ALL_ACCESS));
    ASSERT_TRUE(key.valid());
    // Written with a size that leaves out the NUL that follows: the NUL is stored.
    const char text[] = "FullString";
    ASSERT_EQ(plat::RegSetValueExA(key.get(), "Counted", 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(text), sizeof text - 1),
              static_cast<LSTATUS>(ERROR_SUCCESS));
    EXPECT_EQ(bed->DriverValue(kMouseId, "Counted"), (BedValue{REG_SZ, "FullString\0"s}));

    // A size followed by another character stores no NUL. Read back, such a string
    // gets one appended where the buffer has room, the stored size reported; a buffer
    // of the exact size is left alone past the data.
    ASSERT_EQ(
        plat::RegSetValueExA(key.get(), "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 4),
        static_cast<LSTATUS>(ERROR_SUCCESS));
    EXPECT_EQ(bed->DriverValue(kMouseId, "Bare"), (BedValue{REG_SZ, "Full"}));
    for (const DWORD room : {4u, 5u}) {
        BYTE buffer[8];
        std::fill(std::begin(buffer), std::end(buffer), BYTE{0xBD});
        DWORD size = room;
        ASSERT_EQ(plat::RegQueryValueExA(key.get(), "Bare", nullptr, nullptr, buffer, &size),
                  static_cast<LSTATUS>(ERROR_SUCCESS));
        EXPECT_EQ(size, 4u);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), "Full");
        EXPECT_EQ(buffer[4], room > 4 ? 0 : 0xBD) << "room " << room;
        EXPECT_EQ(buffer[5], 0xBD) << "room " << room;
    }
    // Other types are returned byte for byte, the buffer untouched past the data.
    bed->SetDriverValue(kMouseId, "Number", Dword(8));
    BYTE buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), BYTE{0xBD});
    DWORD size = sizeof buffer;
    ASSERT_EQ(plat::RegQueryValueExA(key.get(), "Number", nullptr, nullptr, buffer, &size),
              static_cast<LSTATUS>(ERROR_SUCCESS));
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(buffer[4], 0xBD);
}

// --- the platform itself -----------------------------------------------------------

// The calls the program leans on, asked directly. Where a platform is known to
// depart from Windows the departure itself is checked, so its going away is noticed.
TEST_P(SeamAgreement, PlatformDeparturesAreTheKnownOnes) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    device::TDeviceList list(false, false);
    device::TDevice& device = list.GetDevice(0);
    const DEVINST node = device.DevInfoData.DevInst;

    DEVINST relative = 0xBAD;
    EXPECT_NE(plat::CM_Get_Parent(&relative, node, 0), CR_SUCCESS);
    relative = 0xBAD;
    const CONFIGRET child = plat::CM_Get_Child(&relative, node, 0);
    if (bed->Has(Quirk::ChildQuerySucceedsWithoutNode)) {
        EXPECT_EQ(child, static_cast<CONFIGRET>(CR_SUCCESS));
        EXPECT_EQ(relative, 0xBADu);
    } else {
        EXPECT_NE(child, static_cast<CONFIGRET>(CR_SUCCESS));
    }

    ULONG length = 0;
    const bool nodeZeroLive = plat::CM_Get_Device_ID_Size(&length, 0, 0) == CR_SUCCESS;
    EXPECT_EQ(nodeZeroLive, bed->Has(Quirk::NodeZeroNamesADevice));
    if (nodeZeroLive) {
        std::string id(length, '\0');
        ASSERT_EQ(plat::CM_Get_Device_IDA(0, id.data(), length + 1, 0),
                  static_cast<CONFIGRET>(CR_SUCCESS));
        EXPECT_EQ(id, kMouseId) << "node 0 is the first device of the first open set";
    }

    SP_PROPCHANGE_PARAMS params{};
    params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
    params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
    params.StateChange = DICS_PROPCHANGE;
    params.Scope = DICS_FLAG_CONFIGSPECIFIC;
    const bool accepted =
        plat::SetupDiSetClassInstallParamsA(device.DevInfoSet, &device.DevInfoData,
                                            &params.ClassInstallHeader, sizeof params) != FALSE;
    EXPECT_EQ(accepted, !bed->Has(Quirk::ClassInstallerFails));
}
