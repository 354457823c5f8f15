/* The device-control codes of VidCap<n>, shared by the driver and by user-
   mode programs that talk to it (no kernel headers needed here). */
#ifndef TOLVEN_KERNEL_VC_IOCTL_H
#define TOLVEN_KERNEL_VC_IOCTL_H

/* Device-control codes: device type 0x1D, buffered, any access, functions
   0x201.. in order. */
#define VC_DEVICE_TYPE 0x1D
#define VC_IOCTL(function) ((VC_DEVICE_TYPE << 16) | ((function) << 2))
enum {
  IOCTL_VC_CONFIG_FORMAT = VC_IOCTL(0x201),      /* 0x1D0804 */
  IOCTL_VC_CONFIG_SOURCE = VC_IOCTL(0x202),      /* 0x1D0808 */
  IOCTL_VC_CONFIG_DISPLAY = VC_IOCTL(0x203),     /* 0x1D080C */
  IOCTL_VC_GET_OVERLAY_MODE = VC_IOCTL(0x204),   /* 0x1D0810 */
  IOCTL_VC_SET_KEY_PALIDX = VC_IOCTL(0x205),     /* 0x1D0814 */
  IOCTL_VC_SET_KEY_RGB = VC_IOCTL(0x206),        /* 0x1D0818 */
  IOCTL_VC_GET_KEY_COLOUR = VC_IOCTL(0x207),     /* 0x1D081C */
  IOCTL_VC_OVERLAY_RECTS = VC_IOCTL(0x208),      /* 0x1D0820 */
  IOCTL_VC_OVERLAY_OFFSET = VC_IOCTL(0x209),     /* 0x1D0824 */
  IOCTL_VC_CAPTURE_ON = VC_IOCTL(0x20A),         /* 0x1D0828 */
  IOCTL_VC_CAPTURE_OFF = VC_IOCTL(0x20B),        /* 0x1D082C */
  IOCTL_VC_OVERLAY_ON = VC_IOCTL(0x20C),         /* 0x1D0830 */
  IOCTL_VC_OVERLAY_OFF = VC_IOCTL(0x20D),        /* 0x1D0834 */
  IOCTL_VC_STREAM_INIT = VC_IOCTL(0x20E),        /* 0x1D0838 */
  IOCTL_VC_STREAM_FINI = VC_IOCTL(0x20F),        /* 0x1D083C */
  IOCTL_VC_STREAM_START = VC_IOCTL(0x210),       /* 0x1D0840 */
  IOCTL_VC_STREAM_STOP = VC_IOCTL(0x211),        /* 0x1D0844 */
  IOCTL_VC_STREAM_RESET = VC_IOCTL(0x212),       /* 0x1D0848 */
  IOCTL_VC_WAIT_ERROR = VC_IOCTL(0x213),         /* 0x1D084C */
  IOCTL_VC_ADD_BUFFER = VC_IOCTL(0x214),         /* 0x1D0850 */
  IOCTL_VC_GET_POSITION = VC_IOCTL(0x215),       /* 0x1D0854 */
  IOCTL_VC_PARTIAL_START = VC_IOCTL(0x216),      /* 0x1D0858 */
  IOCTL_VC_PARTIAL_COPY = VC_IOCTL(0x217),       /* 0x1D085C */
  IOCTL_VC_PARTIAL_END = VC_IOCTL(0x218),        /* 0x1D0860 */
  IOCTL_VC_DRAW_FRAME = VC_IOCTL(0x219),         /* 0x1D0864 */
};

#endif
