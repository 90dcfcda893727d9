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

// Names come from links anybody may make and from what a USB device says of itself: none may
// reach the terminal as control characters.
TEST(PortMapCommands, ListingWritesControlCharactersOut) {
    const QList<portmap::SerialDevice> devices = {
        {"/dev/ttyUSB\x1b[2J", "", "FT232R\x1b]0;owned\a", "FTDI", "", 0}};
    const QList<portmap::PortAssignment> ports = {
        {5, true, "/cfg/com5", "/tmp/\x1b[31mred", "/dev/pts/\r4", true}};
    const QString listing = app::portListing(devices, ports);
    EXPECT_FALSE(listing.contains(QChar(0x1b))) << listing.toStdString();
    EXPECT_FALSE(listing.contains(u'\a') || listing.contains(u'\r')) << listing.toStdString();
    for (const char* shown : {"  /dev/ttyUSB\\e[2J\n", "FT232R\\e]0;owned\\x07\n",
                              "  5  /tmp/\\e[31mred (port map) = /dev/pts/\\x0d4, present\n"}) {
        EXPECT_TRUE(listing.contains(QString::fromUtf8(shown))) << listing.toStdString();
    }
}

}  // namespace
