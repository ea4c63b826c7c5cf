#pragma once
#include "Jass.h"
#include "MyArray.h"
#include "MyString.h"

class sGlobal
{
private:
	static const int CONST_MAX_SIZE_MASS = 8190;
public:
integer udg_Kills;
real udg_Delay;
sMyString udg_Title;
	sMyArray<unit[1],CONST_MAX_SIZE_MASS> udg_Heroes;
integer MAX_KILLS;
trigger gg_trg_Report;

	sGlobal()
	{
		udg_Kills=0;
		udg_Delay=2.50f;
		udg_Title=sMyString("Arena");
		MAX_KILLS=10;
		gg_trg_Report=NULL;
	};

};

procedure fMyExecuteFunc(String funcName);
void fMapBegin();
HPLAYER fMyGetLocalPlayer();
void fMapEnd();
bool fFuncsInit();
void fMain();
sMyString fMyI2S(integer vInt);
sMyString fMySubString(sMyString &source, Integer start, Integer end_);
sMyString fMyGetUnitName(unit u);
integer fMyStringHash(String vStr);

sMyString Rank( integer kills);
real Bonus( integer kills, real rate);
void ShowScore();
void Trig_Report_Actions();
void InitTrig_Report();
void fMainJass();
