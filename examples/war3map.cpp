#include "stdafx.h"
#include "Jass.h"
#include "MyArray.h"
#include "MyString.h"
#include "war3map.h"
#include "Additional_functions.h"
#include "JassApi_functions_extern.h"

typedef void(fFuncThread)(void);

rect bj_mapInitialPlayableArea = NULL;
const integer bj_MAX_PLAYER_SLOTS = 16;
const integer bj_PLAYER_NEUTRAL_VICTIM = 13;
const alliancetype ALLIANCE_SHARED_ADVANCED_CONTROL = (HALLIANCETYPE)7;
const real bj_PI = 3.14159;
static const int CONST_MAX_SIZE_MASS = 8190;
static sGlobal *pGlobal;
HHASHTABLE vHT_Ex;
TEventRegistrationHandle vEndMapHandle;
HPLAYER vLocalPlayer;

integer fMyStringHash(String vStr)
{
	int vLen = strlen(vStr);
	const int p = 31;
	const int n = 2;
	integer hash = 0, p_pow = 1;
	for (size_t i=0; i<vLen; ++i)
	{
		hash += ((vStr[i] >= 'a' && vStr[i] <= 'z' ? (vStr[i] - 'a') : (vStr[i] >= 'A' && vStr[i] <= 'Z' ? (vStr[i] - 'A') + p : p * n + 1)) + 1) * p_pow;
		p_pow *= p * n + 1 + 1;
	}
	return hash;
}

sMyString fMyGetUnitName(unit u)
{
	return sMyString(GetUnitName(u));
}

sMyString fMySubString(sMyString &source, Integer start, Integer end_)
{
	char *pStr;
	String vStr;
	vStr = new char[end_-start + 1];
	pStr = vStr;
	memcpy(pStr,((char*)source)+start,end_-start);
	pStr += end_-start;
	*pStr = '\0';
	static sMyString *vMyString;
	vMyString = new sMyString();
	vMyString->vTempData = fCpyStr(vStr);
	vMyString->vBoolTempData = true;
	vMyString->fTempData2();
	delete vStr;
	return *vMyString;
}

sMyString fMyI2S(integer vInt)
{
	return sMyString(I2S(vInt));
}

void fMain()
{
	fMapBegin();
	fFuncsInit();
	fMainJass();
}

procedure fMyExecuteFunc(String funcName)
{
	integer vAddress;
	vAddress = LoadInteger(vHT_Ex,0,fMyStringHash(funcName));
	if (vAddress == NULL) return;
	fFuncThread *pFunc = (fFuncThread *)vAddress;
	if (pFunc)
	{
		pFunc();
	}
}

void fMapBegin()
{
	pGlobal = new sGlobal;
	vHT_Ex = InitHashtable();
	IncrementHandleReferences(vHT_Ex);
	vEndMapHandle = AddEventHandler(jeMainThreadDestroyed,(TJassEventCallback*)&fMapEnd,NULL);
	vLocalPlayer = 0;
	vLocalPlayer = GetLocalPlayer();
}

HPLAYER fMyGetLocalPlayer()
{
	return vLocalPlayer;
}

void fMapEnd()
{
	if (pGlobal > 0)
	{
		delete pGlobal;
		pGlobal = NULL;
	}
	if (vEndMapHandle)
	{
		RemoveEventHandler((TEventRegistrationHandle)vEndMapHandle);
		vEndMapHandle = NULL;
	}
}

sMyString Rank( integer kills)
{
	if (kills>= pGlobal->MAX_KILLS)
	{
		return  sMyString("champion");
	}
	else if(kills> 3)
	{
		return  sMyString("veteran");
	}
	else 
	{
		return  sMyString("recruit");
	}
}

real Bonus( integer kills, real rate)
{
	real total =0.0f;
	integer i =1;
	while(true)
	{
		if ( i> kills|| i> pGlobal->MAX_KILLS) break;
		total =total+ rate* 2;
		i =i+ 1;
	}
	return  total;
}

void ShowScore()
{
	sMyString msg =pGlobal->udg_Title+ sMyString(": ") + fMyI2S(pGlobal->udg_Kills) + sMyString(" kills, ") + Rank(pGlobal->udg_Kills);
	DisplayTextToPlayer(Player(0), 0, 0, msg);
	if (pGlobal->udg_Heroes[0][0] !=NULL && ! IsUnitType(pGlobal->udg_Heroes[0][0], UNIT_TYPE_DEAD))
	{
		SetHeroXP(pGlobal->udg_Heroes[0][0], R2I(Bonus(pGlobal->udg_Kills, pGlobal->udg_Delay)), true);
	}
}

void Trig_Report_Actions()
{
	pGlobal->udg_Kills =pGlobal->udg_Kills+ 1;
	ShowScore();
}

void InitTrig_Report()
{
	pGlobal->gg_trg_Report =CreateTrigger();
	TriggerRegisterTimerEventPeriodic(pGlobal->gg_trg_Report, pGlobal->udg_Delay);
	TriggerAddAction(pGlobal->gg_trg_Report, & Trig_Report_Actions);
}

void fMainJass()
{
	//InitBlizzard();
	pGlobal->udg_Heroes[0][0] =CreateUnit(Player(0), 'Hpal', -128.0f, 256.0f, 270.0f);
	InitTrig_Report();
	fMyExecuteFunc(sMyString("ShowScore"));
}

bool fFuncsInit()
{
	SaveInteger(vHT_Ex,0,fMyStringHash("ShowScore"),(integer)&ShowScore);
	SaveInteger(vHT_Ex,0,fMyStringHash("Trig_Report_Actions"),(integer)&Trig_Report_Actions);
	SaveInteger(vHT_Ex,0,fMyStringHash("InitTrig_Report"),(integer)&InitTrig_Report);
	SaveInteger(vHT_Ex,0,fMyStringHash("main"),(integer)&fMainJass);
	return TRUE;
}

