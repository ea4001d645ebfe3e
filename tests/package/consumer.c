/* A host built against the installed package: links, loads and refuses a bad slot. */
#include <stdio.h>

#include "zefraapi.h"

int main(void) {
    int32_t rc = ZEFRA_Exit_ETH(10);
    printf("ZEFRA_Exit_ETH(10) = %d\n", rc);
    return rc == RC_BAD_PARAM ? 0 : 1;
}
