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
 * be zero-filled and hold at least 509 bytes. A cmd that cannot be framed (longer than 1019
 * characters, holding "$$" or ending in "$") is refused with RC_BAD_PARAM, nothing sent. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Common_Cmd(const char* cmd, char* reply, int32_t slot);

/* ---- Controller and program control -------------------------------------- */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_EmergStop(int32_t state, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MotorEnable(int32_t state, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_ResetErr(int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_Mode(int32_t mode, int32_t slot);
/* path is sent unchanged between "[" and "]"; a path containing "$$" is refused. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CurPrgPath(const char* path, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CurProjPath(const char* path, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_PrgCtrl(int32_t state, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_BackStartLine(int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_Vel(int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_AccRamp(double value1, double value2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_FlyMode(int32_t selector, int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_RapidMove(int32_t selector, int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_SLVSMode(int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_FlyPress(int32_t value1, int32_t value2, int32_t slot);
/* mode: 0 off, 1 on, 2 pause, 3 continue. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_DsMode(int32_t mode, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_SlewMode(int32_t value, int32_t slot);

/* ---- Status and program-state queries ------------------------------------ */
/* ZEFRA_Get_RunSts is a second name of ZEFRA_Get_PrgSts. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PrgSts(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RunSts(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_StartLine(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CurMotionLine(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_InitSts(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CoordType(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_Coord(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_Vel(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_Mode(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DsMode(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_InchMode(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_SlewMode(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_EStopSts(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_MotorSts(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_MotionSts(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_SysMode(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CurCmdSts(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_SysErrSts(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_SysErr(uint32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CmdSts(int32_t index, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CurCmdCacheNum(int32_t* value, int32_t slot);
/* These two write *value whatever the result: 0 on any failure. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PrgRunTime(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CurCmdNum(int32_t* value, int32_t slot);
/* path: 128 bytes, all written on success (zero-terminated, zero padded; empty when the
 * controller reports none). */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CurPrgPath(char* path, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TaskPrgPath(int32_t task, char* path, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TaskRunSts(int32_t task, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TaskProgramLine(int32_t task, int32_t* value, int32_t slot);
/* The following scan straight into the outputs: on RC_FAIL the values read before the
 * mismatch are already written. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_AccRamp(double* value1, double* value2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_FlyMode(int32_t selector, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RapidMove(int32_t selector, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_SLVSMode(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_FlyPress(int32_t* value1, int32_t* value2, int32_t slot);

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

/* ---- Manual motion: jog, inch, pose alignment, homing -------------------- */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_InchMode(int32_t state, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_InchStep(int32_t value, int32_t slot);
/* kind: 0 joint (axis 1..6), 1 Cartesian (X Y Z RZ RY RX); dir: -1, 0 (jog only), 1. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Jog(int32_t kind, int32_t axis, int32_t dir, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Inch(int32_t kind, int32_t axis, int32_t dir, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_AxisJog(int32_t value1, int32_t value2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_AxisInch(int32_t value1, int32_t value2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_PoseAlign(int32_t value1, int32_t value2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_ActiveMechUnit(const char* name, int32_t slot);
/* name: at least 128 bytes; receives one word, zero-terminated. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ActiveMechUnit(char* name, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_TeachCoordinate(int32_t state, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TeachCoordinate(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Home(int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_DynamicBrake(int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DynamicBrake(int32_t* value, int32_t slot);

/* ---- Motion to stored P and GP points ------------------------------------ */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovJ(int32_t point, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovL(int32_t point, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Jump(int32_t point, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_JumpL(int32_t point, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovC(int32_t point1, int32_t point2, int32_t motionArg1, int32_t motionArg2, int32_t slot);
/* The _P names are the same functions as the _GP names: both address the GP table. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovJ_GP(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovJ_P(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovL_GP(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovL_P(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Jump_GP(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Jump_P(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_JumpL_GP(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_JumpL_P(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovC_GP(int32_t globalPoint1, int32_t globalPoint2, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovC_P(int32_t globalPoint1, int32_t globalPoint2, int32_t motionArg1, int32_t motionArg2, int32_t slot);

/* ---- Motion to explicit points ------------------------------------------- */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovJ2(const PointRecord* target, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovL2(const PointRecord* target, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Jump2(const PointRecord* target, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_JumpL2(const PointRecord* target, int32_t motionArg1, int32_t motionArg2, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovC2(const PointRecord* target1, const PointRecord* target2, int32_t motionArg1, int32_t motionArg2, int32_t slot);

/* ---- IO-triggered motion ------------------------------------------------- */
/* One IO trigger entry attached to a motion; a motion takes an array of up to three. */
typedef struct IoTrigger {
    int32_t field1;
    int32_t field2;
    int32_t field3;
    double value;
} IoTrigger;

/* Triggers: triggerCount (1..3) entries of the array, in order. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovJ_IO(int32_t point, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovL_IO(int32_t point, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Jump_IO(int32_t point, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_JumpL_IO(int32_t point, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovC_IO(int32_t point1, int32_t point2, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
/* Global points; each _P name is the same function as its _GP name. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovJ_GP_IO(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovJ_P_IO(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovL_GP_IO(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovL_P_IO(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Jump_GP_IO(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Jump_P_IO(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_JumpL_GP_IO(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_JumpL_P_IO(int32_t globalPoint, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovC_GP_IO(int32_t globalPoint1, int32_t globalPoint2, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovC_P_IO(int32_t globalPoint1, int32_t globalPoint2, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
/* Explicit points. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovJ2_IO(const PointRecord* target, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovL2_IO(const PointRecord* target, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Jump2_IO(const PointRecord* target, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_JumpL2_IO(const PointRecord* target, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovC2_IO(const PointRecord* target1, const PointRecord* target2, int32_t motionArg1, int32_t motionArg2, const IoTrigger* triggers, int32_t triggerCount, int32_t slot);

/* ---- Full-target motion -------------------------------------------------- */
/* The motion data of a full-target motion. The wire carries field1, field2, field3, then
 * real1..real4: field3 travels third although it is stored last. */
typedef struct MoveData {
    int32_t field1;
    int32_t field2;
    double real1;
    double real2;
    double real3;
    double real4;
    int32_t field3;
} MoveData;

/* Triggers: triggerCount (0..3) entries of the array, in order; triggers may be null for 0.
 * Note the order: the count comes before the array here. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovJ_RobPos(const RobP* target, const MoveData* moveData, int32_t motionArg, int32_t triggerCount, const IoTrigger* triggers, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovL_RobPos(const RobP* target, const MoveData* moveData, int32_t motionArg, int32_t triggerCount, const IoTrigger* triggers, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Jump_RobPos(const RobP* target, const MoveData* moveData, int32_t motionArg, int32_t triggerCount, const IoTrigger* triggers, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_JumpL_RobPos(const RobP* target, const MoveData* moveData, int32_t motionArg, int32_t triggerCount, const IoTrigger* triggers, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovC_RobPos(const RobP* target1, const RobP* target2, const MoveData* moveData, int32_t motionArg, int32_t triggerCount, const IoTrigger* triggers, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovJAbs_RobJPos(const RobJP* target, const MoveData* moveData, int32_t motionArg, int32_t triggerCount, const IoTrigger* triggers, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_MovJAbs_JP(int32_t jointPoint, const MoveData* moveData, int32_t motionArg, int32_t triggerCount, const IoTrigger* triggers, int32_t slot);

/* ---- Independent axes ---------------------------------------------------- */
/* name: the axis owner as the controller knows it, sent unchanged as the last word. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_IndAMove(const char* name, int32_t axis, double value1, double value2, double value3, double value4, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_IndCMove(const char* name, int32_t axis, double value1, double value2, double value3, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_IndReset(const char* name, int32_t axis, double value1, int32_t arg, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_IndResetOld(const char* name, int32_t axis, int32_t slot);
/* state is written only on success. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_IndSpeed(const char* name, int32_t axis, int32_t* state, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_IndInPos(const char* name, int32_t axis, int32_t* state, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_IndAMoveSts(const char* name, int32_t axis, int32_t* state, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_IndCMoveSts(const char* name, int32_t axis, int32_t* state, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_IndResetSts(const char* name, int32_t axis, int32_t* state, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_MotionStsExceptIndAxis(int32_t* state, int32_t slot);

/* ---- Current position ------------------------------------------------------------------ */
/* All outputs are written whole, and only after a complete reply, except where noted. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PosHere(PointRecord* point, int32_t slot);
/* The joint and Cartesian readings fill pos and set armType and frameRef to 0. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PosHereJ(PointRecord* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PosHereC(PointRecord* point, int32_t slot);
/* Scanned straight into values: on RC_FAIL the values read before the mismatch are written. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PosHerePulse(double values[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobPosHere(RobP* target, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobJPosHere(RobJP* target, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_ActiveMechUnitPosFormat(int32_t format, int32_t slot);
/* format: the code of the form the controller reports in, with its eight values. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ActiveMechUnitPos(int32_t* format, double values[8], int32_t slot);

/* ---- Position conversion ----------------------------------------------------------------- */
/* result is written whole, and only after a complete reply; it may be the same record as an
 * input. The two point conversions also read result's frameRef: the reference triple wanted
 * for the converted point. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PosCnvt(const PointRecord* source, PointRecord* result, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_VisionPosCnvt(const PointRecord* source, const PointRecord* secondPoint, PointRecord* result, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobJToRobP(const RobJP* joints, int32_t arg1, int32_t arg2, int32_t arg3, RobP* result, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobPToRobJ(const RobP* pose, int32_t arg1, int32_t arg2, int32_t arg3, RobJP* result, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_FixWobjRobP(const RobP* pose, int32_t arg, RobP* result, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobHoldWobjRobP(const RobP* pose, int32_t arg, const RobP* secondPose, RobP* result, int32_t slot);

/* ---- Offset calculation ------------------------------------------------------------------ */
/* offset: six values, sent with six decimals beside a PointRecord and three beside a RobJP or
 * RobP. result is written whole, and only after a complete reply; it may be base itself. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_OffsetJ(const PointRecord* base, const double offset[6], PointRecord* result, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_Offset(const PointRecord* base, const double offset[6], PointRecord* result, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_OffsetT(const PointRecord* base, const double offset[6], PointRecord* result, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_OffsetJ_RobJP(const RobJP* base, const double offset[6], RobJP* result, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_Offset_RobP(const RobP* base, const double offset[6], RobP* result, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_OffsetT_RobP(const RobP* base, const double offset[6], RobP* result, int32_t slot);

/* ---- Kinematic and drive parameters ------------------------------------------------------- */
/* Parameter sets of six floats, scanned straight into para: on RC_FAIL the values read before
 * the mismatch are written. The structure parameters need all six values; the reduction
 * ratios and the CpPara sets succeed from the first value on, leaving the rest of para as it
 * was. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_StrPara(float para[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_StrPara(const float para[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_StrParaComp(float para[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_StrParaComp(const float para[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RdctRatio(float para[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_RdctRatio(const float para[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CpParaM(float para[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CpParaM(const float para[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CpParaS(float para[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CpParaS(const float para[6], int32_t slot);
/* Home positions are scanned straight into pos and succeed from the first value on. The
 * Cartesian form is sent with six decimals, the joint form with three. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_HomePos(int32_t homeNo, double pos[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_HomePos(int32_t homeNo, const double pos[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_HomeJPos(int32_t homeNo, RobJP* pos, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_HomeJPos(int32_t homeNo, const RobJP* pos, int32_t slot);
/* zero: all six written on success, each reported value cut toward zero (values not reported
 * are 0). A value outside the int32 range, or not a number, gives RC_FAIL with nothing written. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ZeroPos(int32_t zero[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_ZeroPos(const int32_t zero[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_InchStep(int32_t* step, int32_t slot);
/* Step sizes: written only after a complete reply. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_StepMotionJ(float* step, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_StepMotionJ(float step, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_StepMotionL(float* step, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_StepMotionL(float step, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_StepMotionR(float* step, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_StepMotionR(float step, int32_t slot);

/* ---- Speed, acceleration and travel limits ------------------------------------------------ */
/* Limits are scanned straight into lim: on RC_FAIL the values read before the mismatch are
 * written. The J forms (six floats) succeed from the first value on, leaving the rest of lim
 * as it was; the L forms and the zone parameters (two floats) need both. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TeachVelLimJ(float lim[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_TeachVelLimJ(const float lim[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TeachVelLimL(float lim[2], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_TeachVelLimL(const float lim[2], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TeachAccLimJ(float lim[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_TeachAccLimJ(const float lim[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TeachAccLimL(float lim[2], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_TeachAccLimL(const float lim[2], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RunVelLimJ(float lim[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_RunVelLimJ(const float lim[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RunVelLimL(float lim[2], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_RunVelLimL(const float lim[2], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RunAccLimJ(float lim[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_RunAccLimJ(const float lim[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RunAccLimL(float lim[2], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_RunAccLimL(const float lim[2], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_StopDecLimJ(float lim[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_StopDecLimJ(const float lim[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_StopDecLimL(float lim[2], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_StopDecLimL(const float lim[2], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ZonePara(float para[2], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_ZonePara(const float para[2], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CInterpMode(int32_t* mode, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CInterpMode(int32_t mode, int32_t slot);
/* axis: sent unchanged after "J"; lim is written only after a complete reply. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_AxisNLim(int32_t axis, float* lim, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_AxisNLim(int32_t axis, float lim, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_AxisPLim(int32_t axis, float* lim, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_AxisPLim(int32_t axis, float lim, int32_t slot);

/* ---- Robot point store ---------------------------------------------------- */
/* Points travel with three decimals. In the file forms the file name goes last on the wire,
 * after the point number. The record queries write the whole record, and only when every
 * field was read. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_SavePara(int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_RecoverPara(int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_RobP(int32_t index, const RobP* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_MemRobP(int32_t index, const RobP* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_RobPToFile(const char* fileName, int32_t index, const RobP* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_RobPHere(int32_t index, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_RobPHereToFile(const char* fileName, int32_t index, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_RobJP(int32_t index, const RobJP* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_MemRobJP(int32_t index, const RobJP* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_RobJPHere(int32_t index, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_SpeedLimitSwitch(int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobP(int32_t index, RobP* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobPFromFile(const char* fileName, int32_t index, RobP* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobJP(int32_t index, RobJP* point, int32_t slot);
/* fileName, label: 32 bytes, all written on success (one word, zero padded); a word of 32
 * characters or more gives RC_FAIL and leaves them untouched. ZEFRA_Get_CurRobPFileName,
 * ZEFRA_Get_RobP_Label, ZEFRA_Get_RobJP_Label and ZEFRA_Get_SpeedLimitSwitch print the line
 * "sscanf_s ret = <n>" to standard output after every exchange that did not fail: n is 1 when
 * the value was read, 0 when it was not, -1 when the reply ends before it. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CurRobPFileName(char fileName[32], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobP_Label(int32_t index, char label[32], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobJP_Label(int32_t index, char label[32], int32_t slot);
/* Sends first and second before text. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_RobLP_Label(int32_t first, const char* text, int32_t second, char label[32], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_SpeedLimitSwitch(int32_t* value, int32_t slot);

/* ---- Global points and position registers -------------------------------- */
/* Each _P name is the same function as its _GP name: both address the GP table. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_GP(int32_t index, PointRecord* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_P(int32_t index, PointRecord* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_GP(int32_t index, const PointRecord* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_P(int32_t index, const PointRecord* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_GPHere(int32_t index, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_PHere(int32_t index, int32_t slot);
/* A position register holds six coordinates. The PR and LPR forms send only point->pos and,
 * on success, write the whole record with armType and frameRef set to 0; the PRVar forms
 * read and write exactly six doubles. Outputs are written only when all six were read. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PR(int32_t index, PointRecord* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_PR(int32_t index, const PointRecord* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PRVar(int32_t index, double values[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_PRVar(int32_t index, const double values[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_LPR(int32_t index, PointRecord* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_LPR(int32_t index, const PointRecord* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_WriteFile_PR(int32_t slot);

/* ---- Scalar and typed variables ------------------------------------------ */
/* Every read writes its output only when the reply was read whole. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_B(int32_t index, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_B(int32_t index, int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_R(int32_t index, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_R(int32_t index, int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_D(int32_t index, double* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_D(int32_t index, double value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_LB(int32_t index, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_LB(int32_t index, int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_LR(int32_t index, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_LR(int32_t index, int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_LD(int32_t index, double* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_LD(int32_t index, double value, int32_t slot);
/* Typed common variables. Integers narrower than 32 bits travel as int32 and are read back
 * by keeping their low bits (a reply of 300 reads as 44 in a u8); a uint32 travels as its
 * signed reading (4294967295 as -1). */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CommonVarUchar(int32_t index, uint8_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CommonVarUchar(int32_t index, uint8_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CommonVarChar(int32_t index, int8_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CommonVarChar(int32_t index, int8_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CommonVarUshort(int32_t index, uint16_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CommonVarUshort(int32_t index, uint16_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CommonVarShort(int32_t index, int16_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CommonVarShort(int32_t index, int16_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CommonVarUint(int32_t index, uint32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CommonVarUint(int32_t index, uint32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CommonVarInt(int32_t index, int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CommonVarInt(int32_t index, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CommonVarFloat(int32_t index, float value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CommonVarFloat(int32_t index, float* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CommonVarDouble(int32_t index, double value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CommonVarDouble(int32_t index, double* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CommonVarP(int32_t index, const PointRecord* point, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CommonVarP(int32_t index, PointRecord* point, int32_t slot);

/* ---- Tool, work-object and user frames ----------------------------------- */
/* One entry of the controller's tool table. */
typedef struct ToolData {
    int32_t attr;
    double frame[6];
    double params[10];
} ToolData;

/* One entry of the controller's work-object table; name is zero-terminated (at most 23
 * characters) and travels last. */
typedef struct WobjData {
    int32_t attr1;
    int32_t attr2;
    char name[24];
    double frame1[6];
    double frame2[6];
} WobjData;

/* The record is written only when the whole entry was read. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ToolData(int32_t toolNo, ToolData* data, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_ToolData(int32_t toolNo, const ToolData* data, int32_t slot);
/* The name is the text after the numbers, found by their length with three decimals each;
 * a reply with no text there gives an empty name, a name longer than 23 characters RC_FAIL.
 * The record is written only on success. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_WobjData(int32_t wobjNo, WobjData* data, int32_t slot);
/* A name without a terminator within its 24 bytes is refused with RC_BAD_PARAM. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_WobjData(int32_t wobjNo, const WobjData* data, int32_t slot);
/* The frame getters scan straight into frame: on RC_FAIL the values read before the
 * mismatch are already written. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ToolC(int32_t frameNo, double frame[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_ToolC(int32_t frameNo, const double frame[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_UserC(int32_t frameNo, double frame[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_UserC(int32_t frameNo, const double frame[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ToolCNum(int32_t* toolFrameNo, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_ToolCNum(int32_t toolFrameNo, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_WobjNum(int32_t* wobjNo, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_WobjNum(int32_t wobjNo, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_UserCNum(int32_t* userFrameNo, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_UserCNum(int32_t userFrameNo, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CoordType(int32_t coordType, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_Coord(int32_t coord, int32_t slot);

/* ---- Interference regions and jump parameters ---------------------------- */
/* region: elements 0..2, then 3..5. The getter scans straight into region: on RC_FAIL the
 * values read before the mismatch are already written. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_Interf(int32_t regionNo, double region[6], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_Interf(int32_t regionNo, const double region[6], int32_t slot);
/* mask: bit i is region switch i (0..7); bits above 7 are not sent. A reported digit above 1
 * adds its value times its weight. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CurInterf(int32_t* mask, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CurInterf(int32_t mask, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_JumpPara(float* p1, float* p2, float* p3, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_JumpPara(float p1, float p2, float p3, int32_t slot);

/* ---- Palletizing --------------------------------------------------------- */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PalletPara(int32_t* p1, int32_t* p2, int32_t* p3, double* p4, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_PalletPara(int32_t p1, int32_t p2, int32_t p3, double p4, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Clear_PalletPara(int32_t slot);
/* Corners a, b, c (and d) and i1, i2, i3 in; out is written only when the whole point was read. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_Pallet_RobP(const RobP* a, const RobP* b, const RobP* c, int32_t i1, int32_t i2, int32_t i3, RobP* out, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_Pallet4_RobP(const RobP* a, const RobP* b, const RobP* c, const RobP* d, int32_t i1, int32_t i2, int32_t i3, RobP* out, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PalletPoint(const PointRecord* a, const PointRecord* b, const PointRecord* c, int32_t i1, int32_t i2, int32_t i3, PointRecord* out, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_Pallet4Point(const PointRecord* a, const PointRecord* b, const PointRecord* c, const PointRecord* d, int32_t i1, int32_t i2, int32_t i3, PointRecord* out, int32_t slot);

/* ---- Position latch ------------------------------------------------------ */
/* on: 1 or 0; anything else is refused with RC_BAD_PARAM. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_LatchEnable(int32_t on, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_LatchSts(int32_t* status, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_LatchSum(int32_t* count, int32_t slot);
/* pos is scanned in place (partly written on RC_FAIL); flag is written only on success. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_LatchPos(int32_t entryNo, int32_t* flag, double pos[6], int32_t slot);
/* flag and pos are written only on success. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_LatchRobP(int32_t entryNo, int32_t* flag, RobP* pos, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Clr_LatchPos(int32_t slot);

/* ---- Collision detection ------------------------------------------------- */
/* Getters write their outputs only when the whole reply was read. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CollModeAndAction(int32_t mode, int32_t action, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CollModeAndAction(int32_t* mode, int32_t* action, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_AxisCollMode(int32_t axis, int32_t mode, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_AxisCollMode(int32_t axis, int32_t* mode, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_AxisCollLevel(int32_t axis, double level, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_AxisCollLevel(int32_t axis, double* level, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_CollDist(int32_t dist, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_CollDist(int32_t* dist, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_TeachModeAxisCollMode(int32_t axis, int32_t mode, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TeachModeAxisCollMode(int32_t axis, int32_t* mode, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_TeachModeCollAction(int32_t action, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TeachModeCollAction(int32_t* action, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_TeachModeAxisCollLevel(int32_t axis, double level, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TeachModeAxisCollLevel(int32_t axis, double* level, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_TeachModeCollDist(int32_t dist, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TeachModeCollDist(int32_t* dist, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_PlayBackModeAxisCollMode(int32_t axis, int32_t mode, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PlayBackModeAxisCollMode(int32_t axis, int32_t* mode, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_PlayBackModeCollAction(int32_t action, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PlayBackModeCollAction(int32_t* action, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_PlayBackModeAxisCollLevel(int32_t axis, double level, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PlayBackModeAxisCollLevel(int32_t axis, double* level, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_PlayBackModeCollDist(int32_t dist, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PlayBackModeCollDist(int32_t* dist, int32_t slot);
/* levels: axisCount values (4 or 6) written only when that many were read; axisCount 0
 * returns RC_OK with nothing written, any other count RC_FAIL (the request is sent anyway).
 * levels may be null unless axisCount is 4 or 6. */
ZEFRA_API int32_t ZEFRA_CALL ZEF_GetRecommendCollisionLevel(int32_t selector, int32_t axisCount, double* levels, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEF_ResetRecommendCollisionLevel(int32_t selector, int32_t slot);

/* ---- Diagnosis recording and motion data --------------------------------- */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_DiagnosisItem(const char* item, int32_t value, int32_t slot);
/* value is written only when the reply was read. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DiagnosisItem(const char* item, int32_t* value, int32_t slot);
/* Any answer but an error counts as accepted; the result is the exchange's own ("e-3" gives 3). */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_DiagnosisSave(int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DiagnosisSave(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_DiagnosisSaveItem(const int32_t items[3], int32_t slot);
/* items is scanned in place: on RC_FAIL the entries read before the mismatch are written. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DiagnosisSaveItem(int32_t items[3], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_DiagnosisSaveCtrl(int32_t control, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DiagnosisSaveSts(int32_t* state, int32_t slot);
/* fileName (at least 128 bytes, zero-filled by the host) gets the file name's characters
 * without a terminator; a reply of at most one character writes nothing and returns RC_OK. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DiagnosisLastSaveTrackFile(char* fileName, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_MotionDataCollection(int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_MotionDataCollection(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_AxisTotalMotionData(int32_t axis, int32_t* total, int32_t slot);
/* head, then six groups of five values: group g, element e in data[5g + e]. Scanned in place:
 * on RC_FAIL the values read before the mismatch are written. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_AxisMotionData(int32_t first, int32_t second, int32_t third, int32_t* head, double data[30], int32_t slot);

/* ---- Servo function codes and motion profiles ---------------------------- */
/* value is written only when the reply was read. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_ReadServoFunCode(int32_t addr1, int32_t addr2, int32_t addr3, int32_t addr4, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_WriteServoFunCode(int32_t addr1, int32_t addr2, int32_t addr3, int32_t addr4, int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_SetProfileMode(int32_t mode, int32_t slot);
/* No slot parameter: always slot 0. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_GetProfileMode(int32_t* mode);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_SetExtProfileType(int32_t type, int32_t slot);
/* No slot parameter: always slot 0. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_GetExtProfileType(int32_t* type);
/* count entries of 24 bytes each (1..42; any other count returns -3, nothing sent) go to the
 * controller as raw bytes, then their byte count is announced. A refused upload is not
 * announced. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_SetExtProfileData(uint32_t count, const void* entries, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_ClearExtProfileData(int32_t slot);
/* No slot parameter: always slot 0. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_GetExtProfileLeftSpace(int32_t* space);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_GetExtProfileUsedSpace(int32_t* space, int32_t slot);

/* ---- TCP-speed binding and trace recovery -------------------------------- */
/* Getters write their outputs only when the whole reply was read. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_BindTcpSpeedValue(int32_t index, double value1, double value2, double value3, double value4, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_BindTcpSpeedValue(int32_t index, int32_t* head, double* value1, double* value2, double* value3, double* value4, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TcpSpeedDAOutAndVel(int32_t index, int32_t* head, double* first, double* second, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Close_BindTcpSpeed(int32_t index, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_TraceRecoverMode(int32_t mode, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_TraceRecoverMode(int32_t* mode, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_VarTraceRecoverParams(int32_t index, double param1, double param2, double param3, double param4, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_VarTraceRecoverParams(int32_t index, double* param1, double* param2, double* param3, double* param4, int32_t slot);

/* ---- Interference zones and tool shapes ---------------------------------- */
/* kind selects the geometry that travels: 0 values0, 1 values1. */
typedef struct InterferZonePara {
    int32_t param1;
    int32_t param2;
    uint16_t param3;
    uint16_t param4;
    float param5;
    uint16_t param6;
    uint16_t kind;
    float values0[6];
    float values1[6];
} InterferZonePara;

/* Packed (128 bytes). shapeType 0..3 selects the values that travel; shape 3 has three
 * variants, chosen by type3Kind 0..2. */
#pragma pack(push, 1)
typedef struct InterferToolPara {
    uint16_t shapeType;
    uint16_t type1Values[8];
    float type2Values[2];
    uint16_t type3Kind;
    float type3Values0[6];
    float type3Values1[6];
    float type3Values2[13];
} InterferToolPara;
#pragma pack(pop)

/* A kind, shapeType or type3Kind outside its set, and a reply these functions cannot use,
 * give RC_BAD_PARAM. Records are written whole (the groups not selected zero) or not at all. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_InterferZonePara(int32_t zone, const InterferZonePara* para, int32_t slot);
/* The reply must give all 13 fields. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_InterferZonePara(int32_t zone, InterferZonePara* para, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_InterferZoneActStat(int32_t zone, int32_t state, int32_t slot);
/* states is scanned in place: on RC_BAD_PARAM the states read before the mismatch are written. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_InterferZoneActStat(int32_t states[16], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_InterferToolActNum(int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_InterferToolActNum(int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_InterferToolPara(int32_t tool, const InterferToolPara* para, int32_t slot);
/* A reply that stops after the shape number is accepted, its missing values 0; one without a
 * shape number leaves para untouched. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_InterferToolPara(int32_t tool, InterferToolPara* para, int32_t slot);

/* ---- Digital and analog I/O ------------------------------------------------------------- */
/* Channel, group and configuration numbers go to the controller untested. Every query writes
 * its output only when the reply was read whole. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_DO(int32_t index, int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_DOGroup(int32_t group, int32_t value, int32_t slot);
/* value travels with six decimals. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_DA(int32_t channel, float value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_ForceDI(int32_t index, int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_ForceDO(int32_t index, int32_t value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_InCfg(int32_t index, int32_t config, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_OutCfg(int32_t index, int32_t config, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DINum(int32_t* count, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DONum(int32_t* count, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ADNum(int32_t* count, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DANum(int32_t* count, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DI(int32_t index, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DIGroup(int32_t group, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DO(int32_t index, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DOGroup(int32_t group, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DOCfg(int32_t index, int32_t* config, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DOGroupCfg(int32_t group, int32_t* config, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DACfg(int32_t channel, int32_t* config, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_InCfg(int32_t index, int32_t* config, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_OutCfg(int32_t index, int32_t* config, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_AD(int32_t channel, float* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DA(int32_t channel, float* value, int32_t slot);
/* status: six flags, one reply digit each, in reply order; all six are written, or none. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_DevSts(int32_t status[6], int32_t slot);

/* ---- Modbus and PLC variables ------------------------------------------------------------ */
/* count is the number of 16-bit registers in the run and is sent as given. Ushort runs carry
 * count values (the first always, even for a count below 1); float runs carry count/2 floats
 * (at least one), each taking two registers. A run whose request would not fit is refused
 * with RC_BAD_PARAM and nothing sent. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ModbusCoil(int32_t first, int32_t second, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_ModbusCoil(int32_t first, int32_t second, int32_t value, int32_t slot);
/* Reads 1..8 registers: exactly count values must come back; the first count entries of
 * values are written, and nothing else. A count below 1 reads nothing and gives RC_FAIL. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ModbusRegUshort(int32_t address, int32_t count, uint16_t* values, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_ModbusRegUshort(int32_t address, int32_t count, const uint16_t* values, int32_t slot);
/* Reads 1..4 floats (count 2..9): exactly count/2 values must come back; then all four entries
 * of values are written, those not read as 0. A count below 2 reads nothing and gives RC_FAIL. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_ModbusRegFloat(int32_t address, int32_t count, float values[4], int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_ModbusRegFloat(int32_t address, int32_t count, const float* values, int32_t slot);
/* Each read keeps the low bits of the reported number that fit its type (70000 reads as 4464
 * in an int16). */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PlcVarByte(int32_t index, uint8_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PlcVarInt(int32_t index, int16_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PlcVarDInt(int32_t index, int32_t* value, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_PlcVarLReal(int32_t index, double* value, int32_t slot);

/* ---- User alarms and print messages ------------------------------------------------------ */
/* text is sent unchanged and may hold blanks. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_UserAlarm(int32_t index, const char* text, int32_t slot);
/* text: 40 bytes, all written on success: the first word of the alarm text (at most 39
 * characters; a longer one gives RC_FAIL), zero padded; empty when the controller has none. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_UserAlarm(int32_t index, char text[40], int32_t slot);
/* message: 128 bytes, all written when a message is pending: the message in the host's
 * character set (at most 127 bytes, cut between characters), zero padded. A character the
 * host's set lacks arrives as "?". Without a pending message the buffer is left as it was
 * and the result is still RC_OK: clear it first to tell the two apart. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Get_Print(char message[128], int32_t slot);

/* ---- Control device, permission and users ------------------------------------------------ */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_CurCtrlDev(int32_t* device, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_SetCurCtrlDev(int32_t device, int32_t slot);
/* state 0: no permission held, address and port are set to 0. Otherwise address is the
 * holder's IPv4 address (192.0.2.10 is 0xC000020A) and port its TCP port; when the reply
 * lacks them the result is RC_FAIL with state already written and address and port as they
 * were. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_CurPermit(int32_t* state, uint32_t* address, uint16_t* port, int32_t slot);
/* mode: 0 acquire, 1 acquire forcibly; anything else is refused with RC_BAD_PARAM. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_AcqPermit(int32_t mode, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_RemovePermit(int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_CurUserType(int32_t* userType, int32_t slot);
/* password is sent in the clear, unchanged; an empty one is allowed. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_UserLogin(int32_t user, const char* password, int32_t slot);
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_UserLogout(int32_t slot);
/* timeText is sent unchanged, in the controller's own form. */
ZEFRA_API int32_t ZEFRA_CALL ZEFRA_Set_SysTime(const char* timeText, int32_t slot);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* ZEFRAAPI_H */
