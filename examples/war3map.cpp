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

static unsigned int fMyHashByte(char vChar)
{
	unsigned int vByte = (unsigned char)vChar;
	if (vByte >= 'a' && vByte <= 'z') return vByte - 'a' + 'A';
	if (vByte == '/') return '\\';
	return vByte;
}

static void fMyHashMix(unsigned int &a, unsigned int &b, unsigned int &c)
{
	a -= b; a -= c; a ^= (c >> 13);
	b -= c; b -= a; b ^= (a << 8);
	c -= a; c -= b; c ^= (b >> 13);
	a -= b; a -= c; a ^= (c >> 12);
	b -= c; b -= a; b ^= (a << 16);
	c -= a; c -= b; c ^= (b >> 5);
	a -= b; a -= c; a ^= (c >> 3);
	b -= c; b -= a; b ^= (a << 10);
	c -= a; c -= b; c ^= (b >> 15);
}

integer fMyStringHash(String vStr)
{
	const char *pStr = vStr;
	unsigned int vLen = (unsigned int)strlen(pStr);
	unsigned int v[3] = {0x9e3779b9u, 0x9e3779b9u, 0u};
	unsigned int i = 0;
	for (; vLen - i >= 12; i += 12)
	{
		for (unsigned int j = 0; j < 12; ++j) v[j / 4] += fMyHashByte(pStr[i + j]) << (j % 4 * 8);
		fMyHashMix(v[0], v[1], v[2]);
	}
	v[2] += vLen;
	for (unsigned int j = 0; i + j < vLen; ++j) v[j / 4] += fMyHashByte(pStr[i + j]) << (j % 4 * 8 + (j >= 8 ? 8 : 0));
	fMyHashMix(v[0], v[1], v[2]);
	return (integer)v[2];
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

struct sMyFuncEntry
{
	const char *vName;
	integer vHash;
	integer vAddress;
	sMyFuncEntry *pNext;
};
static sMyFuncEntry *pFuncEntries = NULL;

void fMyRegisterFunc(const char *vName, integer vAddress)
{
	sMyFuncEntry *pEntry = new sMyFuncEntry;
	pEntry->vName = vName;
	pEntry->vHash = fMyStringHash(vName);
	pEntry->vAddress = vAddress;
	pEntry->pNext = pFuncEntries;
	pFuncEntries = pEntry;
}

procedure fMyExecuteFunc(String funcName)
{
	const char *pName = funcName;
	if (pName == NULL) return;
	integer vHash = fMyStringHash(funcName);
	for (sMyFuncEntry *pEntry = pFuncEntries; pEntry != NULL; pEntry = pEntry->pNext)
	{
		if (pEntry->vHash != vHash || strcmp(pEntry->vName, pName) != 0) continue;
		fFuncThread *pFunc = (fFuncThread *)pEntry->vAddress;
		pFunc();
		return;
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
	fMyRegisterFunc("ShowScore",(integer)&ShowScore);
	fMyRegisterFunc("Trig_Report_Actions",(integer)&Trig_Report_Actions);
	fMyRegisterFunc("InitTrig_Report",(integer)&InitTrig_Report);
	fMyRegisterFunc("main",(integer)&fMainJass);
	return TRUE;
}

