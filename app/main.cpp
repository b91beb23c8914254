#include "app/main.h"

int main()
{
    return RunProgram();
}
