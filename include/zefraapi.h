/*
 * ZEFRAAPI - client library for driving robot controllers over TCP/IP.
 *
 * Every function returns an int32 result code (RC_OK, RC_COMM_FAIL, RC_BAD_PARAM,
 * RC_FAIL, or the negated error number the controller sent). The connection slot
 * (0..9) is the last parameter of every function that talks to a controller.
 *
 * This header compiles as C99 and as C++.
 */
#ifndef ZEFRAAPI_H
#define ZEFRAAPI_H

#include <stdint.h>

#if defined(_WIN32)
#  if defined(ZEFRAAPI_BUILDING)
#    define ZEFRA_API __declspec(dllexport)
#  else
#    define ZEFRA_API __declspec(dllimport)
#  endif
#  if defined(_M_IX86) || defined(__i386__)
#    define ZEFRA_CALL __stdcall
#  else
#    define ZEFRA_CALL
#  endif
#else
#  define ZEFRA_API __attribute__((visibility("default")))
#  define ZEFRA_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Result codes ------------------------------------------------------------------ */

#define RC_OK 0
#define RC_COMM_FAIL (-255)
#define RC_BAD_PARAM (-254)
#define RC_FAIL (-253)

/* ---- Position records -------------------------------------------------------------- */

/* A point of the controller's P and GP stores and of the explicit-point motions. */
typedef struct PointRecord {
    double pos[6];
    int32_t armType[4];
    int32_t frameRef[3];
} PointRecord;

/* A Cartesian robot target. */
typedef struct RobP {
    double pos[6];
    int32_t armType[4];
    double extAxes[6];
} RobP;

/* A joint robot target. */
typedef struct RobJP {
    double axes[8];
    double extAxes[6];
} RobJP;

/* ---- Connection ---------------------------------------------------------------------- */

/* ip: IPv4 address in host byte order (192.168.1.10 is 0xC0A8010A); timeout: seconds. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Init_ETH(uint32_t ip, uint16_t port, int32_t timeout, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Exit_ETH(int32_t slot);

/* ---- Pass-through command ------------------------------------------------------------ */

/* Sends cmd unchanged and copies the reply payload (no terminator) into reply, which must
 * be zero-filled and hold at least 509 bytes. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Common_Cmd(const char* cmd, char* reply, int32_t slot);

/* ---- Controller and program control -------------------------------------- */
/* @control@ */

/* ---- Status and program-state queries ------------------------------------ */
/* @status@ */

/* ---- System, servo and robot-model information --------------------------- */
/* text: the firmware version word, zero-padded to 32 bytes. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_FwVersion(char text[32], int32_t slot);
/* text: the system time word, zero-padded to 16 bytes. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_SysTime(char text[16], int32_t slot);
/* text: room for 128 bytes; receives the robot type word and its terminator only. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobotType(char* text, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobotAxisNum(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobotCategory(int32_t* value, int32_t slot);
/* states: one servo state per axis, first axis first; axes the controller did not report are 0. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ServoSts(int32_t states[8], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ServoErr(int32_t axis, uint32_t* value, int32_t slot);
/* armType: the arm configuration that belongs to the six axis values. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ArmType(const double values[6], int32_t armType[4], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TransArmType(const int32_t armType[4], int32_t result[4], int32_t slot);
/* head: the text between the reply's first two "=" signs, less the separator before the
 * second one, with no terminator (up to 505 characters; pass a zeroed buffer). tail: the
 * 128 bytes after the second "=" (zero-padded; no terminator when the rest fills them). */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_GetRCLibVersion(const char* text, char* head, char tail[128], int32_t slot);
/* @system_info@ */

/* ---- Mechanism configuration and mode flags ------------------------------ */
/* index 0..13823, value 0.1..2000.0, flag 0 or 1. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Pulse(uint32_t index, double value, uint32_t flag, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_Acc(double value1, double value2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_Acc(double* value1, double* value2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_GripLoad(int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_GripLoad(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_AxisNumsGeneral(int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_AxisNumsGeneral(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_AutoTestSetMachineParams(const char* text, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_AutoTestCheckFileAndMemDif(int32_t* value, int32_t slot);
/* value is scanned in place: a reply without a number keeps the caller's value, and a
 * negative value, or a reply ending after "=", gives RC_BAD_PARAM with 0 written. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_IOAuthority(int32_t arg1, int32_t arg2, int32_t* value, int32_t slot);
/* These three write 0 first; a reply without a number is RC_OK with 0, and a reply ending
 * after "=" is RC_BAD_PARAM. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ProjSyncStatus(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_MechUnitCfgNum(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_MechUnitCfgType(int32_t index, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_OnPathStat(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_InRemoteModeStat(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_InAutoModeStat(int32_t* value, int32_t slot);
/* @mechanism@ */

/* ---- Manual motion: jog, inch, pose alignment, homing -------------------- */
/* @manual_motion@ */

/* ---- Motion to stored P and GP points ------------------------------------ */
/* @motion_points@ */

/* ---- Motion to explicit points ------------------------------------------- */
/* @motion_explicit@ */

/* ---- IO-triggered motion ------------------------------------------------- */
/* @motion_io@ */

/* ---- Full-target motion -------------------------------------------------- */
/* @motion_targets@ */

/* ---- Independent axes ---------------------------------------------------- */
/* @independent_axes@ */

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* ZEFRAAPI_H */
