// What --list-ports prints: the devices present, then what each port number opens.
#include <gtest/gtest.h>

#include "app/PortMapCommands.h"

namespace {

TEST(PortMapCommands, ListingShowsDevicesThenWhatEachPortOpens) {
    const QList<portmap::SerialDevice> devices = {
        {"/dev/ttyS0", "", "", "", "", 4321},
        {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI-if00", "FT232R USB UART", "FTDI", "A502", 0}};
    const QList<portmap::PortAssignment> ports = {
        {1, false, "/cfg/com1", "", "/dev/ttyS0", true},
        {2, true, "/cfg/com2", "/dev/serial/by-id/usb-FTDI-if00", "/dev/ttyUSB0", true},
        {3, true, "/cfg/com3", "/dev/serial/by-id/usb-gone", "", false},
        {4, true, "/cfg/com4", "/dev/pts/4", "/dev/pts/4", true}};
    EXPECT_EQ(app::portListing(devices, ports).toStdString(),
              "Serial devices present:\n"
              "  /dev/ttyS0\n"
              "      in use         yes, by process 4321\n"
              "  /dev/ttyUSB0\n"
              "      stable name    /dev/serial/by-id/usb-FTDI-if00\n"
              "      description    FT232R USB UART\n"
              "      manufacturer   FTDI\n"
              "      serial number  A502\n"
              "      in use         no\n"
              "Port numbers:\n"
              "  1  /dev/ttyS0 (no entry: the default), present\n"
              "  2  /dev/serial/by-id/usb-FTDI-if00 (port map) = /dev/ttyUSB0, present\n"
              "  3  /dev/serial/by-id/usb-gone (port map), points nowhere\n"
              "  4  /dev/pts/4 (port map), present\n");
    EXPECT_EQ(app::portListing({}, {}), "Serial devices present:\n  none\nPort numbers:\n");
}

}  // namespace
