#include "main/form1.h"

void Form1::Menu1_Click(int) {}

void Form1::Get_Vocabulary() {}
