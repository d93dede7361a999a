/* Parameter dialogs: template ids, control ids (one block per dialog, each
   id defined once) and, for C++, the frame, the number readers, the
   collectors and every Dialog<Name> starter with its procedure.
   The id part is read by the resource compiler as well. */
#pragma once

/* Templates */
#define IDD_DEVICE_ADR 105
#define IDD_EDIT_RESULT 400

/* Additional-info dialog (400) */
#define IDC_RESULT_LINE 1000

/* Device and address dialog (105) */
#define IDC_DEVICE_TYPE 1019
#define IDC_DEVICE_ADDRESS 1020
#define IDC_DEVICE_TYPE_LABEL 1990
#define IDC_DEVICE_ADDRESS_LABEL 1991

/* Number dialogs (number_dialogs.cpp) */
/* Stop threshold (606) */
#define IDD_STOP_THRES 606
#define IDC_STOP_THRESHOLD 1047
/* Restart time (103) */
#define IDD_WA_TIME 103
#define IDC_RESTART_SECONDS 1005
/* Final-test calibration number (611) */
#define IDD_AGL_MODE 611
#define IDC_CALIBRATION_NUMBER 1072
/* Evaluation case number (108) */
#define IDD_EVC_NR 108
#define IDC_EVALUATION_CASE 1021
/* Speed index (614) */
#define IDD_SIM_INDEX 614
#define IDC_SPEED_INDEX 1093
/* Field number (114) */
#define IDD_FIELD_NR 114
#define IDC_FIELD_NUMBER 1145
/* KVT number (607) */
#define IDD_KVT_NR 607
#define IDC_KVT_NUMBER 1048
/* Response time (601) */
#define IDD_RSP_TIME 601
#define IDC_EVALUATION_COUNT 1010
/* Device address (605) */
#define IDD_SENSOR_ADR 605
#define IDC_SENSOR_ADDRESS 2017
/* Reference range (624) */
#define IDD_REF_NR 624
#define IDC_REFERENCE_RANGE 1115
/* Correction table range (617) */
#define IDD_CORR_ANF 617
#define IDC_CORRECTION_RANGE 1102

/* Two-value dialogs (pair_dialogs.cpp) */
/* KVT and field number (608) */
#define IDD_KVT_FIELD_NR 608
#define IDC_PAIR_KVT_NUMBER 1049
#define IDC_PAIR_FIELD_NUMBER 1050
/* Output stimulation (612) */
#define IDD_OUTPUT_SET 612
#define IDC_OUTPUT_TYPE 1083
#define IDC_OUTPUT_VALUE 1084
/* KVT variant (300) */
#define IDD_VAR_DEF 300
#define IDC_SCAN_ANGLE 1077
#define IDC_SINGLE_SHOT 1078
/* Number of averages: without (619) and with (104) the active sensor */
#define IDD_AVERAGE_MV 619
#define IDD_AVERAGE_MV_SENSOR 104
#define IDC_AVERAGE_COUNT 1008
#define IDC_AVERAGE_SENSOR 1071
/* Number of measured values (602) */
#define IDD_SEGMENT_COUNT 602
#define IDC_SEGMENT_COUNT 111
#define IDC_SEGMENT_SENSOR 1067

/* Memory dump and manufacturing code (service_dialogs.cpp) */
/* Memory dump (100) */
#define IDD_MEM_DUMP 100
#define IDC_DUMP_START 104
#define IDC_DUMP_COUNT 105
/* Manufacturing code (102) */
#define IDD_CLB_HCODE 102
#define IDC_MANUFACTURING_CODE 1004

/* Range dialogs (range_dialogs.cpp) */
/* Measured-value range: with the active sensor (604), as an operating mode (620) */
#define IDD_MV_PARTIAL 604
#define IDD_MV_PARTIAL_MODE 620
#define IDC_PARTIAL_SENSOR 1009
#define IDC_PARTIAL_FIRST 1015
#define IDC_PARTIAL_LAST 112
#define IDC_PARTIAL_DIRECT 1178
/* Averaged range: with the active sensor (622), as an operating mode (623) */
#define IDD_AMVP 622
#define IDD_AMVP_MODE 623
#define IDC_AMVP_SENSOR 1108
#define IDC_AMVP_FIRST 1106
#define IDC_AMVP_LAST 1107
#define IDC_AMVP_AVERAGES 1109
/* Range by segments, as an operating mode (630) */
#define IDD_SEGM_P 630
#define IDC_SEGM_FIRST 1107
#define IDC_SEGM_LAST 1108
#define IDC_SEGM_COUNT 1110
/* Ranges with measured and remission values (120) */
#define IDD_MW_REM 120
#define IDC_MWREM_COUNT 1167
#define IDC_MWREM_FIRST_1 1173
#define IDC_MWREM_LAST_1 1177
#define IDC_MWREM_FIRST_2 1176
#define IDC_MWREM_LAST_2 1168
#define IDC_MWREM_FIRST_3 1172
#define IDC_MWREM_LAST_3 1169
#define IDC_MWREM_FIRST_4 1174
#define IDC_MWREM_LAST_4 1175
#define IDC_MWREM_FIRST_5 1170
#define IDC_MWREM_LAST_5 1171
/* Laser angles of the positioning aid (625) */
#define IDD_POS_HELP 625
#define IDC_POS_RESOLUTION 1136
#define IDC_POS_RANGES 1149
#define IDC_POS_START_1 1150
#define IDC_POS_STOP_1 1151
#define IDC_POS_START_2 1146
#define IDC_POS_STOP_2 113
#define IDC_POS_START_3 1019
#define IDC_POS_STOP_3 114
/* Vacuum check: the inputs its procedure reads, which template 626 lacks */
#define IDC_VAC_RESOLUTION 1136
#define IDC_VAC_FIRST 1015
#define IDC_VAC_LAST 112

/* Table dialogs (table_dialogs.cpp) */
/* Learn-mode data (109) */
#define IDD_LMODE_DATA 109
#define IDC_LEARN_SENSOR 1068
#define IDC_LEARN_FIELD 1069
#define IDC_LEARN_UNIT 1036
#define IDC_LEARN_KIND 1080
#define IDC_LEARN_ANGLE 1081
#define IDC_LEARN_SHOT 1082
#define IDC_LEARN_NAME 1070
/* Correction parameters, also distance-dependent (618) */
#define IDD_CORR_DEF 618
#define IDC_CORR_COUNT 1104
#define IDC_CORR_LIST 1079
/* Final-test data (631) */
#define IDD_ASSEMBLY_CHECK 631
#define IDC_FINAL_ACTION 1180
#define IDC_FINAL_MODE 1181
#define IDC_FINAL_LENGTH 1182
#define IDC_FINAL_DATA 1183
/* Occupancy check (626) and conveyor-belt check (629) */
#define IDD_REM_DEF 626
#define IDD_CONV_DEF 629
#define IDC_CHECK_START 1143
#define IDC_CHECK_STOP 1023
#define IDC_CHECK_WORD_6 1017
#define IDC_CHECK_WORD_8 1026
#define IDC_CHECK_WORD_10 1021
#define IDC_CHECK_WORD_12 1144
#define IDC_CHECK_WORD_14 113
#define IDC_CHECK_WORD_16 1019
#define IDC_CHECK_WORD_18 1028
#define IDC_CHECK_WORD_20 114
#define IDC_CHECK_HOLD 1141
#define IDC_CHECK_WORD_24 115
#define IDC_CHECK_WORD_26 116
#define IDC_CHECK_WORD_28 117
#define IDC_CHECK_WORD_30 118
#define IDC_CHECK_WORD_32 119
#define IDC_CHECK_WORD_34 120
#define IDC_CHECK_SUM 121

/* Field dialogs (field_dialogs.cpp) */
/* Rectangular field (621) */
#define IDD_FIELD_RECTANGLE 621
#define IDC_RECT_NUMBER 1024
#define IDC_RECT_UNIT 1036
#define IDC_RECT_LEFT 107
#define IDC_RECT_RIGHT 108
#define IDC_RECT_HEIGHT 109
#define IDC_RECT_KIND 1074
#define IDC_RECT_ANGLE 1075
#define IDC_RECT_SHOT 1076
/* Radial field (600) */
#define IDD_FIELD_CIRCLE 600
#define IDC_CIRCLE_NUMBER 1027
#define IDC_CIRCLE_UNIT 1036
#define IDC_CIRCLE_RADIUS 110
#define IDC_CIRCLE_KIND 1028
#define IDC_CIRCLE_ANGLE 1029
#define IDC_CIRCLE_SHOT 1030
/* Segmented field (500) */
#define IDD_FIELD_SEGMENT 500
#define IDC_SEG_NUMBER 114
#define IDC_SEG_UNIT 1036
#define IDC_SEG_COUNT 111
#define IDC_SEG_CORNERS 112
#define IDC_SEG_KIND 1077
#define IDC_SEG_ANGLE 1078
#define IDC_SEG_SHOT 1079

/* Dynamic field dialogs (dynamic_field_dialogs.cpp) */
/* Dynamic rectangle (610): the header, then ten rows of left, right, height, speed */
#define IDD_DYN_RECT 610
#define IDC_DYNREC_NUMBER 1062
#define IDC_DYNREC_UNIT 1036
#define IDC_DYNREC_ENTRIES 1067
#define IDC_DYNREC_MIN_LEFT 1064
#define IDC_DYNREC_MIN_RIGHT 1065
#define IDC_DYNREC_MIN_HEIGHT 1066
#define IDC_DYNREC_KIND 1077
#define IDC_DYNREC_ANGLE 1078
#define IDC_DYNREC_SHOT 1079
#define IDC_DYNREC_LEFT_1 110
#define IDC_DYNREC_RIGHT_1 111
#define IDC_DYNREC_HEIGHT_1 112
#define IDC_DYNREC_SPEED_1 113
#define IDC_DYNREC_LEFT_2 114
#define IDC_DYNREC_RIGHT_2 115
#define IDC_DYNREC_HEIGHT_2 116
#define IDC_DYNREC_SPEED_2 129
#define IDC_DYNREC_LEFT_3 131
#define IDC_DYNREC_RIGHT_3 132
#define IDC_DYNREC_HEIGHT_3 133
#define IDC_DYNREC_SPEED_3 137
#define IDC_DYNREC_LEFT_4 139
#define IDC_DYNREC_RIGHT_4 140
#define IDC_DYNREC_HEIGHT_4 141
#define IDC_DYNREC_SPEED_4 145
#define IDC_DYNREC_LEFT_5 147
#define IDC_DYNREC_RIGHT_5 148
#define IDC_DYNREC_HEIGHT_5 149
#define IDC_DYNREC_SPEED_5 153
#define IDC_DYNREC_LEFT_6 155
#define IDC_DYNREC_RIGHT_6 156
#define IDC_DYNREC_HEIGHT_6 157
#define IDC_DYNREC_SPEED_6 161
#define IDC_DYNREC_LEFT_7 163
#define IDC_DYNREC_RIGHT_7 164
#define IDC_DYNREC_HEIGHT_7 165
#define IDC_DYNREC_SPEED_7 169
#define IDC_DYNREC_LEFT_8 171
#define IDC_DYNREC_RIGHT_8 172
#define IDC_DYNREC_HEIGHT_8 173
#define IDC_DYNREC_SPEED_8 177
#define IDC_DYNREC_LEFT_9 179
#define IDC_DYNREC_RIGHT_9 180
#define IDC_DYNREC_HEIGHT_9 181
#define IDC_DYNREC_SPEED_9 185
#define IDC_DYNREC_LEFT_10 187
#define IDC_DYNREC_RIGHT_10 188
#define IDC_DYNREC_HEIGHT_10 189
#define IDC_DYNREC_SPEED_10 193
/* Dynamic segmented field (613): the header, then five classes of corner list and speed */
#define IDD_DYN_SEG 613
#define IDC_DYNSEG_NUMBER 1092
#define IDC_DYNSEG_UNIT 1036
#define IDC_DYNSEG_ENTRIES 1085
#define IDC_DYNSEG_CORNERS_0 1094
#define IDC_DYNSEG_KIND 1089
#define IDC_DYNSEG_ANGLE 1090
#define IDC_DYNSEG_SHOT 1091
#define IDC_DYNSEG_CORNERS_1 119
#define IDC_DYNSEG_SPEED_1 1101
#define IDC_DYNSEG_CORNERS_2 113
#define IDC_DYNSEG_SPEED_2 1095
#define IDC_DYNSEG_CORNERS_3 114
#define IDC_DYNSEG_SPEED_3 1096
#define IDC_DYNSEG_CORNERS_4 115
#define IDC_DYNSEG_SPEED_4 1097
#define IDC_DYNSEG_CORNERS_5 116
#define IDC_DYNSEG_SPEED_5 1098

/* Navigation dialogs (navigation_dialogs.cpp) */
/* Brake field (115) */
#define IDD_NAV_BRAKE_FIELD 115
#define IDC_NAV_DEACTIVATE 1124
#define IDC_NAV_ACTIVATE 1125
#define IDC_NAV_DEFINE 1126
#define IDC_NAV_UNIT_MM 1132
#define IDC_NAV_UNIT_CM 1133
#define IDC_NAV_UNIT_DM 1134
#define IDC_NAV_RECTANGULAR 1165
#define IDC_NAV_RADIAL 1166
#define IDC_NAV_RADIUS 1129
#define IDC_NAV_LEFT 1001
#define IDC_NAV_RIGHT 1003
#define IDC_NAV_HEIGHT 1002
/* Ray set (117) */
#define IDD_NAV_RAY_SET 117
#define IDC_NAV_RAY_SET_NUMBER 1164
#define IDC_NAV_RAYS 1161
/* Reflector level (118) */
#define IDD_NAV_REFLECTOR 118
#define IDC_NAV_LEVEL 1140
/* Navigation evaluation case (119) */
#define IDD_NAV_CASE 119
#define IDC_NAV_CASE_DEFINE 1155
#define IDC_NAV_CASE_DEFAULT 1135
#define IDC_NAV_CASE_RAY_SET 1157
#define IDC_NAV_CASE_FIELDS 1158
/* Navigation data request (628) */
#define IDD_NAV_DATA_REQUEST 628
#define IDC_NAV_SECTORS_AND_MARKS 1139
#define IDC_NAV_SECTORS_ONLY 2140
#define IDC_NAV_MARKS_ONLY 2141
#define IDC_NAV_POLAR 2143
#define IDC_NAV_CARTESIAN 2144

/* Sensor configuration dialogs (sensor_config_dialogs.cpp) */
/* KVT configuration (615) */
#define IDD_KVT_KFG 615
#define IDC_KFG_BLANKING 1055
#define IDC_KFG_STOP_LOW 1061
#define IDC_KFG_STOP_HIGH 1057
#define IDC_KFG_CONFIG_BITS 1067
#define IDC_KFG_MEASURING_MODE 1066
#define IDC_KFG_UNIT 1036
#define IDC_KFG_VOLATILE_GROUP 1047
#define IDC_KFG_SUBTRACTIVE 1062
#define IDC_KFG_MULTIPLE 1058
#define IDC_KFG_RESTART 1059
#define IDC_KFG_RESTART_A 1060
#define IDC_KFG_MULTIPLE_2 1048
#define IDC_KFG_A_REFERENCE 1114
#define IDC_KFG_A_PLUS 1110
#define IDC_KFG_A_MINUS 1112
#define IDC_KFG_A_START 1111
#define IDC_KFG_A_STOP 1113
#define IDC_KFG_B_REFERENCE 1068
#define IDC_KFG_B_PLUS 1069
#define IDC_KFG_B_MINUS 1070
#define IDC_KFG_B_START 1106
#define IDC_KFG_B_STOP 1071
#define IDC_KFG_C_REFERENCE 1072
#define IDC_KFG_C_PLUS 1073
#define IDC_KFG_C_MINUS 1074
#define IDC_KFG_C_START 1107
#define IDC_KFG_C_STOP 1075
#define IDC_KFG_PIXEL 1076
#define IDC_KFG_MEAN 1077
#define IDC_KFG_RESTART_B 1063
#define IDC_KFG_RESTART_C 1179
#define IDC_KFG_DAZZLE 1056
/* KVT configuration 2 (121) */
#define IDD_KVT_KFG2 121
#define IDC_KFG2_FLAGS 1182
#define IDC_KFG2_ANGLE_A 1183
#define IDC_KFG2_ANGLE_B 1184
#define IDC_KFG2_ANGLE_C 1185
#define IDC_KFG2_OFFSET 1186
#define IDC_KFG2_CONTAMINATION 1187
#define IDC_KFG2_STRATEGY 1188
#define IDC_KFG2_WARNING 1190
#define IDC_KFG2_ERROR 1191

/* Interface-unit dialogs (interface_unit_dialogs.cpp) */
/* PXD configuration (107) */
#define IDD_PXD_KFG 107
#define IDC_PXD_SENSOR_COUNT 1020
#define IDC_PXD_SENSOR_NAME_1 1023
#define IDC_PXD_SENSOR_NAME_2 1025
#define IDC_PXD_SENSOR_NAME_3 1027
#define IDC_PXD_SENSOR_NAME_4 1029
#define IDC_PXD_SCAN_ANGLE_1 1039
#define IDC_PXD_SCAN_ANGLE_2 1026
#define IDC_PXD_SCAN_ANGLE_3 1028
#define IDC_PXD_SCAN_ANGLE_4 1030
#define IDC_PXD_SINGLE_SHOT_1 1040
#define IDC_PXD_SINGLE_SHOT_2 1041
#define IDC_PXD_SINGLE_SHOT_3 1044
#define IDC_PXD_SINGLE_SHOT_4 1046
#define IDC_PXD_INPUTS 1042
#define IDC_PXD_OUTPUTS 1043
#define IDC_PXD_UNIT 1036
#define IDC_PXD_FIELDS_TOGETHER 1045
#define IDC_PXD_FIELD_COUNT 1021
#define IDC_PXD_FIELD_NAME_1 1031
#define IDC_PXD_FIELD_NAME_2 1033
#define IDC_PXD_FIELD_NAME_3 1034
#define IDC_PXD_FIELD_NAME_4 1035
#define IDC_PXD_VOLATILE_FIELD_SET 1047
#define IDC_PXD_CASE_COUNT 1022
#define IDC_PXD_PULSES_PER_CM 1024
#define IDC_PXD_AUTO_RESET 1048
#define IDC_PXD_MAX_SPEED 1037
#define IDC_PXD_ADDRESS 1038
/* Evaluation case (609); fields A to C each have a contour and a restart */
#define IDD_EVC_DEF 609
#define IDC_EVC_NUMBER 1021
#define IDC_EVC_NAME 1050
#define IDC_EVC_INPUT_IMAGE 1053
#define IDC_EVC_SENSOR 1051
#define IDC_EVC_FIELD 1052
#define IDC_EVC_DYNAMIC_FIELDS 1057
#define IDC_EVC_SUBTRACTIVE_FIELDS 1062
#define IDC_EVC_OUTPUT_IMAGE 1054
#define IDC_EVC_BLANKING 1055
#define IDC_EVC_MULTIPLE 1058
#define IDC_EVC_MOTOR_FLAP 1066
#define IDC_EVC_TIME_BASE 1067
#define IDC_EVC_A_REFERENCE 1114
#define IDC_EVC_A_RESTART 1069
#define IDC_EVC_A_RESTART_TIME 1070
#define IDC_EVC_A_PLUS 1110
#define IDC_EVC_A_MINUS 1112
#define IDC_EVC_A_START 1111
#define IDC_EVC_A_STOP 1113
#define IDC_EVC_B_REFERENCE 1116
#define IDC_EVC_B_PLUS 1079
#define IDC_EVC_B_MINUS 1080
#define IDC_EVC_B_START 1117
#define IDC_EVC_B_STOP 1078
#define IDC_EVC_B_RESTART 1071
#define IDC_EVC_B_RESTART_TIME 1073
#define IDC_EVC_C_REFERENCE 1118
#define IDC_EVC_C_PLUS 1085
#define IDC_EVC_C_MINUS 1119
#define IDC_EVC_C_START 1120
#define IDC_EVC_C_STOP 1121
#define IDC_EVC_C_RESTART 1081
#define IDC_EVC_C_RESTART_TIME 1082

#ifndef RC_INVOKED

#include <windows.h>

#include <cstdint>

#include "kvt/abi.h"
#include "string_ids.h"

namespace kvt {

// The frame every dialog procedure shares: background brush, control
// colours, OK enabling and centring.
struct DialogFrame {
  HBRUSH brush = nullptr;
};

void FrameInit(HWND dialog, DialogFrame &frame);
void FrameDestroy(DialogFrame &frame);
// Message 0x0019, the combined control-colour message.
inline constexpr UINT kCtlColorMessage = 0x0019;
INT_PTR FrameControlColour(const DialogFrame &frame, WPARAM wParam, LPARAM lParam);
// EN_CHANGE from an input: OK only while it holds text.
void EnableOkWhileText(HWND dialog, HWND input);

void CentreDialog(HWND parent, HWND dialog);
std::int32_t TextToNumber(const char *text);
std::uint32_t TextToUnsigned(const char *text);

// Collectors: obtain the request's ParamBlock and run its dialog. One row
// per dialog in the collector table.
enum class Collector : BYTE {
  kNone,
  kAglMode, kRspTime, kSensorAdr, kAverageMV, kEVCNr, kSimIndex, kFieldNr, kKVTNr,
  kKVTFieldNr, kLModeData, kSegmentCount, kMVPartial, kAMVP, kSegmP, kFieldKfg,
  kEVCDef, kPXDKfg, kKVTKfg, kKVTKfg2, kPosHelp, kDYNRECKfg, kDYNSEGKfg, kMemDump,
  kStopThres, kOutputSet, kVarDef, kCorrDef, kDistCorrDef, kAssemblycheck, kRemDef,
  kConvDef, kMwRem, kNavDat, kClbHcode,
  kNavBrakeField, kNavRaySet, kNavReflector, kNavCase,
};

// `argument` is passed through to starters that take a third argument (a
// selector, a kind, or whether the preset reading came); `answer` is the
// reading telegram that presets the block, for the rows that copy from it.
BOOL CollectParams(HWND owner, ULONG_PTR *request, Collector collector, BYTE argument = 0,
                   const TelegramRecord *answer = nullptr);

inline constexpr UINT kOutOfMemoryMessage = ids::kOutOfMemory;

// The PXD interface unit's records as its dialogs fill them: the
// configuration and an evaluation case.
inline constexpr WORD kPxdConfigSize = 103;
inline constexpr WORD kEvcDefSize = 43;

}  // namespace kvt

/* DialogDeviceAdr and EditResultDlgProc are declared with the exports in kvt/abi.h. */

/* Number dialogs (number_dialogs.cpp). */
extern "C" {
INT_PTR WINAPI DialogStopThres(HWND owner, void *block);
INT_PTR CALLBACK StopThresDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogWATime(HWND owner, void *block);
INT_PTR CALLBACK WATimeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogAglMode(HWND owner, void *block);
INT_PTR CALLBACK AglModeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogEVCNr(HWND owner, void *block);
INT_PTR CALLBACK EVCNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogSimIndex(HWND owner, void *block);
INT_PTR CALLBACK SimIndexDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogFieldNr(HWND owner, void *block);
INT_PTR CALLBACK FieldNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogKVTNr(HWND owner, void *block);
INT_PTR CALLBACK KVTNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogRspTime(HWND owner, void *block);
INT_PTR CALLBACK RspTimeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogSensorAdr(HWND owner, void *block);
INT_PTR CALLBACK SensorAdrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogRefNr(HWND owner, void *block);
INT_PTR CALLBACK RefNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogCorrAnf(HWND owner, void *block);
INT_PTR CALLBACK CorrAnfDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}

/* Two-value dialogs (pair_dialogs.cpp). */
extern "C" {
INT_PTR WINAPI DialogKVTFieldNr(HWND owner, void *block);
INT_PTR CALLBACK KVTFieldNrDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogOutputSet(HWND owner, void *block);
INT_PTR CALLBACK OutputSetDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogVarDef(HWND owner, void *block);
INT_PTR CALLBACK VarDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Selector 1: template 619; any other: template 104 with the active sensor.
INT_PTR WINAPI DialogAverageMV(HWND owner, void *block, BYTE selector);
INT_PTR CALLBACK AverageMVDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogSegmentCount(HWND owner, void *block);
INT_PTR CALLBACK SegmentCountDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}

/* Memory dump and manufacturing code (service_dialogs.cpp). */
extern "C" {
INT_PTR WINAPI DialogMemDump(HWND owner, void *block);
INT_PTR CALLBACK MemDumpDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogClbHcode(HWND owner, void *block);
INT_PTR CALLBACK HcodeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}

/* Range dialogs (range_dialogs.cpp). Selector 1: the operating-mode
   template without the active sensor; any other: the request template. */
extern "C" {
INT_PTR WINAPI DialogMVPartial(HWND owner, void *block, BYTE selector);
INT_PTR CALLBACK MVPartialDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogAMVP(HWND owner, void *block, BYTE selector);
INT_PTR CALLBACK AMVPDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Only selector 1 has a template; any other returns 0 without a dialog.
INT_PTR WINAPI DialogSegmP(HWND owner, void *block, BYTE selector);
INT_PTR CALLBACK SegmPDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogMwRem(HWND owner, void *block);
INT_PTR CALLBACK MwRemDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogPosHelp(HWND owner, void *block);
INT_PTR CALLBACK PosHelpDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Exported, started by nothing: template 626 with a procedure for other inputs.
INT_PTR WINAPI DialogVacCtrl(HWND owner, void *block);
INT_PTR CALLBACK VacCtrlDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}

/* Table dialogs (table_dialogs.cpp). */
extern "C" {
INT_PTR WINAPI DialogLModeData(HWND owner, void *block);
INT_PTR CALLBACK LModeDataDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogCorrDef(HWND owner, void *block);
INT_PTR CALLBACK CorrDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogDistCorrDef(HWND owner, void *block);
INT_PTR CALLBACK DistCorrDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogAssemblycheck(HWND owner, void *block);
INT_PTR CALLBACK AssemblycheckDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Both on RemDefDlgProc: template 626 and template 629.
INT_PTR WINAPI DialogRemDef(HWND owner, void *block);
INT_PTR WINAPI DialogConvDef(HWND owner, void *block);
INT_PTR CALLBACK RemDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}

/* Field dialogs (field_dialogs.cpp). Kind 0: rectangular field (621), 1:
   radial field (600), 2: segmented field (500); any other kind has no dialog. */
extern "C" {
INT_PTR WINAPI DialogFieldKfg(HWND owner, void *block, BYTE kind);
INT_PTR CALLBACK FieldKfgRectangleDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FieldKfgCircleDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FieldKfgSegmentDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}

/* Dynamic field dialogs (dynamic_field_dialogs.cpp). */
extern "C" {
INT_PTR WINAPI DialogDYNRECKfg(HWND owner, void *block);
INT_PTR CALLBACK DYNRECKfgDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogDYNSEGKfg(HWND owner, void *block);
INT_PTR CALLBACK DYNSEGKfgDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}

/* Navigation dialogs (navigation_dialogs.cpp): kind 0 brake field, 1 ray
   set, 2 reflector level, 3 navigation case, 4 navigation data request;
   a kind above 4 returns 0 without a dialog. */
extern "C" {
INT_PTR WINAPI DialogNavDat(HWND owner, void *block, BYTE kind);
INT_PTR CALLBACK NavSfAccDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK NavRayAccDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK NavReflAccDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK NavEvAccDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK NavNdReqDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}

/* Sensor configuration dialogs (sensor_config_dialogs.cpp). The third
   argument nonzero: the inputs show the block; zero: the defaults. */
extern "C" {
INT_PTR WINAPI DialogKVTKfg(HWND owner, void *block, BYTE showBlock);
INT_PTR CALLBACK KVTKfgDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogKVTKfg2(HWND owner, void *block, BYTE showBlock);
INT_PTR CALLBACK KVTKfg2DlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}

/* Interface-unit dialogs (interface_unit_dialogs.cpp). The third argument
   nonzero: the inputs show the block; zero: the defaults. */
extern "C" {
INT_PTR WINAPI DialogPXDKfg(HWND owner, void *block, BYTE show);
INT_PTR CALLBACK PXDKfgDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR WINAPI DialogEVCDef(HWND owner, void *block, BYTE show);
INT_PTR CALLBACK EVCDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}

#endif /* RC_INVOKED */
