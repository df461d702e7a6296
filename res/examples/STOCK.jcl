* $$ JOB JNM=STOCK,CLASS=A                                              00000010
// JOB STOCK     WEEKLY STOCK VALUATION                                 00000020
// DLBL STKMAST,'PROD.STOCK.MASTER',99/365,SD                           00000030
// EXTENT SYS010,PROD01                                                 00000040
// DLBL STKMOVE,'PROD.STOCK.MOVEMENTS.WEEKLY',,                        X00000050
               VSAM,CAT=UCAT01                                          00000060
// DLBL STKVAL,'PROD.STOCK.VALUATION',0,SD                              00000070
// EXTENT SYS011,PROD01                                                 00000080
// EXEC STKVAL01,SIZE=AUTO                                              00000090
/*                                                                      00000100
// dlbl stkold,'prod.stock.old',0,sd                                    00000110
// DLBL STKLIST,'PROD.STOCK.VALUATION',0,SD                             00000120
// EXEC STKPRT,SIZE=AUTO                                                00000130
/*                                                                      00000140
/&                                                                      00000150
