#!/usr/bin/env bash
# Boots a small virtual machine with Debian's kernel and its USB gadget and
# HID modules, a busybox initramfs and the end-to-end programs, and runs the
# tool's HID link against a logger that is a real USB device on a virtual bus.
#
# Usage: tests/e2e/run_vm_test.sh [build dir]   (default: build/debug)
# Exits 0 on PASS, 1 on FAIL; prints "SKIPPED: <reason>" and exits 0 when
# this machine cannot run the virtual machine at all.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=${1:-build/debug}
kernel_dir=${E2E_KERNEL_DIR:-$root/build/e2e-kernel}    # filled by scripts/setup.sh
work=$root/build/e2e
time_limit=${E2E_TIME_LIMIT:-480}

skip() { echo "SKIPPED: end-to-end HID test: $1"; exit 0; }

command -v qemu-system-x86_64 >/dev/null || skip "qemu-system-x86_64 is not installed"
command -v cpio >/dev/null || skip "cpio is not installed"
[ -x /bin/busybox ] || skip "busybox-static is not installed"
vmlinuz=$(ls "$kernel_dir"/boot/vmlinuz-* 2>/dev/null | head -n1 || true)
[ -n "$vmlinuz" ] || skip "no Debian kernel under $kernel_dir (scripts/setup.sh fetches it)"
modules=$(ls -d "$kernel_dir"/lib/modules/*/kernel | head -n1)
for program in e2e_gadget_logger e2e_hid_link_test; do
    [ -x "$build/tests/e2e/$program" ] || { echo "FAIL: $build/tests/e2e/$program is not built"; exit 1; }
done

# The initramfs: busybox, the modules, our programs and their libraries.
rm -rf "$work/root"
mkdir -p "$work/root"/{bin,dev,proc,sys,modules,e2e}
cd "$work/root"
cp /bin/busybox bin/busybox
for m in usb-common usbcore hid hid-generic usbhid configfs udc-core libcomposite usb_f_hid dummy_hcd; do
    found=$(find "$modules" -name "$m.ko" | head -n1)
    [ -n "$found" ] || { echo "FAIL: module $m.ko not found under $modules"; exit 1; }
    cp "$found" modules/
done
for program in e2e_gadget_logger e2e_hid_link_test; do
    cp "$root/$build/tests/e2e/$program" e2e/
    # hidapi's hidraw backend enumerates through libudev (sysfs only, no udev
    # database), so libudev comes along as ldd lists it.
    ldd "e2e/$program" | grep -o '/[^ ]*' | while read -r lib; do
        mkdir -p ".$(dirname "$lib")"
        cp -L "$lib" ".$lib"
    done
done
# A vendor report descriptor: report id 1, 63-byte input and output reports.
printf '\x06\x00\xff\x09\x01\xa1\x01\x85\x01\x15\x00\x26\xff\x00\x75\x08\x95\x3f\x09\x01\x81\x02\x09\x01\x91\x02\xc0' \
    > e2e/report_desc.bin
cp "$root/tests/e2e/guest_init.sh" init
chmod +x init
find . | cpio -o -H newc --quiet | gzip -1 > "$work/initramfs.cpio.gz"
cd "$root"

# KVM hangs or aborts inside these machines: software emulation only.
echo "=== end-to-end HID test in a virtual machine (limit ${time_limit} s) ==="
start=$(date +%s)
set +e
timeout "$time_limit" qemu-system-x86_64 -accel tcg -m 512 -smp 1 -nographic -no-reboot \
    -kernel "$vmlinuz" -initrd "$work/initramfs.cpio.gz" \
    -append "console=ttyS0 quiet loglevel=3 panic=-1" </dev/null 2>&1 | tee "$work/console.log"
status=${PIPESTATUS[0]}
set -e
echo "end-to-end run: $(( $(date +%s) - start )) s (console in $work/console.log)"
if grep -q '^E2E-RESULT: PASS' "$work/console.log"; then
    echo "PASS: end-to-end HID test"
    exit 0
fi
[ "$status" -eq 124 ] && echo "FAIL: end-to-end HID test: no result within ${time_limit} s"
echo "FAIL: end-to-end HID test"
exit 1
