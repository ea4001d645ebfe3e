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

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* ZEFRAAPI_H */
