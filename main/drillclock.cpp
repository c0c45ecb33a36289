#include "main/form1.h"

void Form1::Timer1_Timer() {}

void Form1::Text1_KeyDown(int &, int) {}
