#include "main/form1.h"

void Form1::Label2_Click(int) {}
