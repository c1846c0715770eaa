// Assertions about the device and configuration layers that must hold on every
// platform. The native suite runs them on the simulated machine; the Windows suite
// runs the same source under Wine against the real SetupAPI and registry, so the
// simulation cannot drift from a real implementation unnoticed.
#include <algorithm>
#include <string>

#include "config/LowerFilters.h"
#include "config/PlatformFamily.h"
#include "config/Rate.h"
#include "config/Restart.h"
#include "device/DevInfo.h"
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
    device.classGuid = guids::GUID_DEVCLASS_HIDCLASS;
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

std::vector<std::string> InstanceIds(const TDeviceList& list) {
    std::vector<std::string> ids;
    for (int i = 0; i < list.Count(); ++i) {
        ids.push_back(list.GetDevice(i).GetInstanceId());
    }
    return ids;
}

// The listed device with this instance ID; the list must hold it.
TDevice& Find(const TDeviceList& list, const std::string& id) {
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
    mouseClass.classGuid = guids::GUID_DEVCLASS_MOUSE;
    bed->Add(mouseClass);
    bed->Add(HidDevice(kHidBusId, "Not on the USB bus"));

    TDeviceList list(false, false);
    EXPECT_EQ(InstanceIds(list), (std::vector<std::string>{kMouseId, kPadId}));
    TDevice& first = list.GetDevice(0);
    EXPECT_EQ(first.GetDescription(), "Gaming Mouse");
    EXPECT_EQ(first.GetHardwareIds(),
              "USB\\VID_1A2B&PID_0001&REV_0200&MI_00\0USB\\VID_1A2B&PID_0001&MI_00\0"s);
    EXPECT_EQ(list.GetDevice(1).GetDescription(), "");
    try {
        list.GetDevice(2);
        ADD_FAILURE() << "GetDevice past the end did not raise";
    } catch (const EDeviceError& error) {
        EXPECT_STREQ(error.what(), "TDeviceList.GetDevice(2) from 2");
    }

    TDeviceList all(false, true);
    EXPECT_EQ(InstanceIds(all), (std::vector<std::string>{kMouseId, kPadId, kMouseClassId}));
    EXPECT_EQ(Find(all, kMouseClassId).GetDescription(), "HID-compliant mouse");

    // Without child devices nothing qualifies as a mouse.
    EXPECT_EQ(TDeviceList(true, false).Count(), 0);
}

TEST_P(SeamAgreement, OnlyTheAllDevicesModeLeavesOutHubs) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    BedDevice hubLike = HidDevice(kHubLikeId, "HID device with a hub interface");
    hubLike.hubInterface = true;
    bed->Add(hubLike);

    EXPECT_EQ(InstanceIds(TDeviceList(false, false)),
              (std::vector<std::string>{kMouseId, kHubLikeId}));
    EXPECT_EQ(InstanceIds(TDeviceList(false, true)), std::vector<std::string>{kMouseId});
    // The all-devices mode ignores "Mice Only".
    EXPECT_EQ(InstanceIds(TDeviceList(true, true)), std::vector<std::string>{kMouseId});
}

TEST_P(SeamAgreement, EnumerationOrder) {
    bed->Add(HidDevice(kPadId, "second by ID, first to arrive"));
    bed->Add(HidDevice(kMouseId, "first by ID"));

    const std::vector<std::string> expected = bed->Has(Quirk::EnumerationSortedById)
                                                  ? std::vector<std::string>{kMouseId, kPadId}
                                                  : std::vector<std::string>{kPadId, kMouseId};
    EXPECT_EQ(InstanceIds(TDeviceList(false, false)), expected);
}

TEST_P(SeamAgreement, MissingRelativesAreSilent) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    bed->Add(HidDevice(kPadId, "Pad"));
    TDeviceList list(false, false);
    TDevice& device = list.GetDevice(1);

    EXPECT_EQ(device.GetParentDevInst(), 0u);
    TDevInstArray children;
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
    } catch (const EDeviceError& error) {
        EXPECT_STREQ(error.what(), "GetParentDevice.GetDevInfoByDevInst");
    }
}

// --- the lower-filter list ---------------------------------------------------

TEST_P(SeamAgreement, AttachAndDetachTheFilter) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    InitPlatformFamily();
    TDeviceList list(false, false);
    TDevice& device = list.GetDevice(0);

    EXPECT_FALSE(HasFilter(device));
    SetFilter(device, false);
    EXPECT_EQ(bed->LowerFilters(kMouseId), std::nullopt);

    SetFilter(device, true);
    EXPECT_EQ(bed->LowerFilters(kMouseId), MultiString("quorvin\0\0"s));
    EXPECT_TRUE(HasFilter(device));
    SetFilter(device, true);
    EXPECT_EQ(bed->LowerFilters(kMouseId), MultiString("quorvin\0\0"s));

    SetFilter(device, false);
    EXPECT_FALSE(HasFilter(device));
    const auto removed = bed->Has(Quirk::EmptyLowerFiltersKept)
                             ? std::optional<BedValue>(MultiString(""))
                             : std::nullopt;
    EXPECT_EQ(bed->LowerFilters(kMouseId), removed);
    EXPECT_TRUE(ReadLowerFilters(device).empty());
}

TEST_P(SeamAgreement, FilterEditsKeepTheOtherEntries) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    bed->SetLowerFilters(kMouseId, MultiString("QuorVin\0other\0quorvin\0\0"s));
    InitPlatformFamily();
    TDeviceList list(false, false);
    TDevice& device = list.GetDevice(0);

    EXPECT_EQ(ReadLowerFilters(device), (TLowerFilterList{"QuorVin", "other", "quorvin"}));
    EXPECT_TRUE(HasFilter(device));
    SetFilter(device, true);
    EXPECT_EQ(bed->LowerFilters(kMouseId), MultiString("QuorVin\0other\0quorvin\0\0"s));

    SetFilter(device, false);
    EXPECT_EQ(bed->LowerFilters(kMouseId), MultiString("other\0\0"s));
    SetFilter(device, true);
    EXPECT_EQ(bed->LowerFilters(kMouseId), MultiString("quorvin\0other\0\0"s));
}

TEST_P(SeamAgreement, FilterListsBeyondTheReadBufferAreNotOverwritten) {
    // An entry long enough that the list, with the filter last, fills the 1024-byte
    // buffer exactly, and a second device whose list is one byte longer: the
    // platform must report its size so that no edit loses what it could not read.
    const std::string fits = std::string(1014, 'f') + "\0quorvin\0\0"s;
    const std::string tooLong = std::string(1015, 'g') + "\0quorvin\0\0"s;
    ASSERT_EQ(fits.size(), kLowerFiltersReadBuffer);
    bed->Add(HidDevice(kMouseId, "fits"));
    bed->Add(HidDevice(kPadId, "too long"));
    bed->SetLowerFilters(kMouseId, MultiString(fits));
    bed->SetLowerFilters(kPadId, MultiString(tooLong));
    InitPlatformFamily();
    TDeviceList list(false, false);

    EXPECT_TRUE(HasFilter(Find(list, kMouseId)));
    TDevice& pad = Find(list, kPadId);
    for (const bool on : {true, false}) {
        SetFilter(pad, on);
        const auto stored = bed->LowerFilters(kPadId);
        ASSERT_TRUE(stored);
        EXPECT_NE(stored->bytes.find(std::string(1015, 'g')), std::string::npos)
            << "the long list lost its entry when the filter was set " << (on ? "on" : "off");
    }
}

// --- the polling rate ------------------------------------------------------------

TEST_P(SeamAgreement, EveryRateIsStoredAsItsInterval) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    TDeviceList list(false, false);
    TDevice& device = list.GetDevice(0);

    for (std::uint32_t index = kRateCount; index-- > 0;) {
        WriteRateIndex(device, index);
        const auto expected =
            index == 0 ? std::nullopt : std::optional<BedValue>(Dword(RateTable[index]));
        EXPECT_EQ(bed->DriverValue(kMouseId, "bInterval"), expected) << "index " << index;
        EXPECT_EQ(ReadRateIndex(device), static_cast<int>(index));
    }
    WriteRateIndex(device, 7);
    EXPECT_EQ(bed->DriverValue(kMouseId, "bInterval"), Dword(32));
    WriteRateIndex(device, static_cast<std::uint32_t>(-1));
    EXPECT_EQ(ReadRateIndex(device), 6);
}

TEST_P(SeamAgreement, StoredIntervalsOutsideTheTable) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    TDeviceList list(false, false);
    TDevice& device = list.GetDevice(0);

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
        EXPECT_EQ(ReadRateIndex(device), c.index) << "type " << c.stored.type;
        EXPECT_EQ(bed->DriverValue(kMouseId, "bInterval"), c.stored) << "reading changed it";
    }
}

TEST_P(SeamAgreement, DeviceWithoutDriverKey) {
    BedDevice device = HidDevice(kMouseId, "No driver");
    device.driverKey = false;
    bed->Add(device);
    TDeviceList list(false, false);

    EXPECT_EQ(ReadRateIndex(list.GetDevice(0)), 0);
    WriteRateIndex(list.GetDevice(0), 3);
    EXPECT_FALSE(bed->HasDriverKey(kMouseId));
}

// --- restart ---------------------------------------------------------------------

TEST_P(SeamAgreement, RestartIsSilentAndKeepsTheConfiguration) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    InitPlatformFamily();
    {
        TDeviceList list(false, false);
        SetFilter(list.GetDevice(0), true);
        WriteRateIndex(list.GetDevice(0), 2);
        EXPECT_FALSE(IsWow64());
        EXPECT_NO_THROW(RestartDevice(list.GetDevice(0)));
    }
    TDeviceList list(false, false);
    EXPECT_NO_THROW(RequestDeviceRestart(list.GetDevice(0), nullptr));

    TDeviceList after(false, false);
    ASSERT_EQ(InstanceIds(after), std::vector<std::string>{kMouseId});
    EXPECT_TRUE(HasFilter(after.GetDevice(0)));
    EXPECT_EQ(ReadRateIndex(after.GetDevice(0)), 2);
}

// --- the platform itself -----------------------------------------------------------

// The calls the program leans on, asked directly. Where a platform is known to
// depart from Windows the departure itself is checked, so its going away is noticed.
TEST_P(SeamAgreement, PlatformDeparturesAreTheKnownOnes) {
    bed->Add(HidDevice(kMouseId, "Gaming Mouse"));
    TDeviceList list(false, false);
    TDevice& device = list.GetDevice(0);
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
