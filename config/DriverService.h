// The filter driver's service as the service control manager knows it: installed or
// not, the driver file its image path names and whether that file is there, and
// whether the service runs. A filter service that is missing, or whose file is, makes
// every device that lists the filter fail to start.
#pragma once

#include <string>

struct DriverServiceState {
    bool known = false;      // the service manager could be asked (never on the 9x family)
    bool installed = false;  // the service exists
    std::string imageFile;   // the driver file's full path; empty when it could not be read
    bool fileFound = false;  // the file is there (looked for only when imageFile is known)
    bool running = false;

    // Known to be unable to load: not installed, or its driver file is missing.
    bool Missing() const;
};

// Asks the service manager about the service (OpenSCManagerA, OpenServiceA,
// QueryServiceConfigA, QueryServiceStatus) and looks for its file with the WOW64
// redirection off, so that a 32-bit process looks in the 64-bit system folder.
DriverServiceState ReadDriverService(const std::string& serviceName);

// The filter's service on the NT family ("quorvin").
DriverServiceState ReadFilterService();

// The full path of a kernel driver's image path as the service's registry entry holds
// it: "\SystemRoot\..." and paths relative to the Windows folder are taken from
// %SystemRoot%, "\??\C:\..." loses its prefix, environment strings are expanded; an
// empty one is the default System32\drivers\<service>.sys. Empty when it cannot be
// expanded.
std::string DriverImageFile(const std::string& imagePath, const std::string& serviceName);
