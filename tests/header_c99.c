/* The public header must compile as plain C99. */
#include "zefraapi.h"

int zefra_header_compiles_as_c(void);
int zefra_header_compiles_as_c(void) {
    PointRecord point = {{0}, {0}, {0}};
    RobP robP = {{0}, {0}, {0}};
    RobJP robJP = {{0}, {0}};
    ToolData tool = {0, {0}, {0}};
    WobjData wobj = {0, 0, {0}, {0}, {0}};
    InterferZonePara zone = {0, 0, 0, 0, 0, 0, 0, {0}, {0}};
    InterferToolPara shape = {0, {0}, {0}, 0, {0}, {0}, {0}};
    return (int)(sizeof point + sizeof robP + sizeof robJP + sizeof tool + sizeof wobj + sizeof zone + sizeof shape) +
           RC_OK;
}
