#!/bin/busybox sh
# The guest's first process: loads the USB and HID modules, makes a logger
# out of a configfs HID gadget on the dummy controller, runs the end-to-end
# test against it and prints one result line for the host to read.
/bin/busybox --install -s /bin
export PATH=/bin

result() {
    echo "E2E-RESULT: $1"
    sync
    poweroff -f
    echo o > /proc/sysrq-trigger
}
fail() {
    echo "e2e guest: $1"
    result FAIL
}

mount -t proc proc /proc
mount -t sysfs sysfs /sys
# The kernel does not mount it by itself (CONFIG_DEVTMPFS_MOUNT is off).
mount -t devtmpfs devtmpfs /dev
mkdir -p /tmp /run && mount -t tmpfs tmpfs /tmp && mount -t tmpfs tmpfs /run

# Order matters: no modules.dep here. Without hid-generic no driver binds and
# no hidraw node appears.
for m in usb-common usbcore hid hid-generic usbhid configfs udc-core libcomposite usb_f_hid dummy_hcd; do
    insmod "/modules/$m.ko" || fail "insmod $m"
done
mount -t configfs configfs /sys/kernel/config || fail "configfs"

UDC=dummy_udc.0
G=/sys/kernel/config/usb_gadget/logger
mkdir "$G" || fail "gadget"
echo 0x2017 > "$G/idVendor"
echo 0x0003 > "$G/idProduct"
echo 0x0400 > "$G/bcdDevice"
mkdir "$G/strings/0x409"
echo "Data Logger" > "$G/strings/0x409/product"
mkdir "$G/configs/c.1"
F="$G/functions/hid.usb0"
mkdir "$F" || fail "hid function"
echo 0 > "$F/protocol"
echo 0 > "$F/subclass"
echo 64 > "$F/report_length"
cat /e2e/report_desc.bin > "$F/report_desc"
ln -s "$F" "$G/configs/c.1/"
echo "$UDC" > "$G/UDC" || fail "bind to $UDC"

waited=0
while [ ! -e /dev/hidraw0 ] || [ ! -e /dev/hidg0 ]; do
    [ "$waited" -ge 100 ] && fail "no /dev/hidraw0 or /dev/hidg0 after 10 s"
    sleep 0.1
    waited=$((waited + 1))
done
echo "e2e guest: $(cat /sys/class/hidraw/hidraw0/device/uevent | grep HID_ID)"

/e2e/e2e_gadget_logger /dev/hidg0 "$G/UDC" "$UDC" &
E2E_UDC_FILE="$G/UDC" E2E_UDC="$UDC" /e2e/e2e_hid_link_test --gtest_color=no
if [ $? -eq 0 ]; then result PASS; else result FAIL; fi
