#include "receiver/link/PortSetting.h"

int PortNumberForSetting(int choice) {
    return choice == 0 ? 5 : 1;
}
